#pragma once

#include "model/end_caps.h"

#include <cstdint>

namespace tarvek {

struct Model;
class Prompts;

// A stored cap brought to its normal position for bond length a and tube
// diameter d: the open rim at height 0, heights (column z) growing to the
// tip, scaled to the tube, before its first turn. Codes 66, 100, 1010,
// 1111, 1616, 190, 280; an empty table for any other code.
CapTable normalisedCap(std::int16_t code, float a, float d);

// The (10,0) upper cap's turn: pairs (cap row, tube atom above
// tubeLength - a) closer than 1.15 a (float distance); fewer than 10 or more
// than 20 turn the cap by 18 degrees.
void upperTurn100(const Model& model, std::int32_t tubeCount, CapTable& upper,
                  std::int32_t rows);

// End caps from stored tables for the (6,6), (10,0), (10,10) and (11,11)
// presets. Called by the tube builder with exactly the tube in the atom set;
// set tubeLength to the tube's own z extent and append the caps capEnds asks
// for (0 both, 1 the lower only, 2 the upper only), lower first.
//
// addCap100 merges coinciding atoms and makes every atom carbon (type 3);
// it beeps when the tube's lowest 0.525 a holds fewer than 20 atoms, and
// the lower cap then stays without its end gap. addCap1111 gives the lower
// cap type 1 and the upper type 2; the others type 3.
void addCap66(Model& model);
void addCap100(Model& model, Prompts& prompts);
void addCap1010(Model& model);
void addCap1111(Model& model);

// End caps whose rim continues the tube's end ring, for the (16,16), (19,0)
// and (28,0) presets; called like the others. A zigzag end that stops at
// lone atoms (fewer than 2n atoms within 0.6 a of the end) first loses them.
// Each cap is turned so that its rim atoms lie where the tube's next ring
// would, one ring step beyond the end; set tubeLength to the tube's own z
// extent and append carbon caps as capEnds asks, lower first.
void addCap1616(Model& model);
void addCap190(Model& model);
void addCap280(Model& model);

} // namespace tarvek
