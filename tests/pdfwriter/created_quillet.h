#pragma once

// Objects of the Quillet interface made by their ProgID from the built
// library, as the program makes them, for the oracle tests.

#include "pdfwriter/quillet_test_support.h"
#include "platform/object_factory.h"

#include <filesystem>
#include <string>

namespace quillet::test {

// Null, with the reason in message, when the object cannot be made.
inline Ref<IQuillet> createQuillet(std::string& message)
{
  const auto created =
      tarvek::createObject("QuilletLib.Quillet", IID_IQuillet, {QUILLET_LIBRARY_DIR});
  message = created.message;
  return Ref<IQuillet>(static_cast<IQuillet*>(created.object));
}

// The same with a document opened at pdf.
inline Ref<IQuillet> openQuillet(const std::filesystem::path& pdf, std::string& message)
{
  Ref<IQuillet> q = createQuillet(message);
  std::int32_t opened = 0;
  if (q)
    q->get_Open(pdf.c_str(), &opened);
  return q;
}

} // namespace quillet::test
