#pragma once

// Objects of the Quillet interface for tests: made through the class object,
// held by a reference that releases them.

#include "quillet/quillet.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

namespace quillet::test {

template <typename T>
class Ref {
public:
  Ref() = default;
  explicit Ref(T* p) : m_p(p) {}
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  Ref(Ref&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
  ~Ref() { reset(); }
  void reset()
  {
    if (m_p)
      m_p->Release();
    m_p = nullptr;
  }
  T* get() const { return m_p; }
  T* operator->() const { return m_p; }
  T** out() { return &m_p; }
  explicit operator bool() const { return m_p != nullptr; }

private:
  T* m_p = nullptr;
};

// A new Quillet object made through the class object, as a client makes it.
inline Ref<IQuillet> makeQuillet()
{
  IClassFactory* classObject = nullptr;
  EXPECT_EQ(
      DllGetClassObject(&CLSID_Quillet, &IID_IClassFactory, reinterpret_cast<void**>(&classObject)),
      S_OK);
  Ref<IQuillet> object;
  EXPECT_EQ(
      classObject->CreateInstance(nullptr, &IID_IQuillet, reinterpret_cast<void**>(object.out())),
      S_OK);
  classObject->Release();
  return object;
}

// A UTF-8 get's text, freed.
inline std::string take(char* text)
{
  std::string out = text ? text : "";
  QuilletFreeString(text);
  return out;
}

// The calling thread's last error description.
inline std::string lastErrorDescription()
{
  char* text = nullptr;
  QuilletGetErrorDescription(&text, nullptr, nullptr);
  return take(text);
}

} // namespace quillet::test
