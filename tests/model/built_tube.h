#pragma once

#include "model/model.h"
#include "model/tube_builder.h"
#include "support/fake_abort.h"
#include "support/fake_prompts.h"

#include <cstdint>
#include <functional>

namespace tarvek::test {

// A carbon tube (structure kind 1) of chirality (n,m), length and bond length
// a in Å, built with the options setup sets; prompts are answered by default.
inline Model builtTube(int n, int m, float length, float a,
                       const std::function<void(Model&)>& setup = {})
{
  Model model;
  model.structureKind = 1;
  if (setup)
    setup(model);
  FakePrompts prompts;
  FakeAbort abort;
  buildTubes(model, static_cast<std::int16_t>(n), static_cast<std::int16_t>(m), length, a,
             prompts, abort);
  return model;
}

} // namespace tarvek::test
