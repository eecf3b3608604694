// Tools › Save Image Sequence: the view saved frame by frame while it turns,
// as JPEG files, transparent PNG files or one animated GIF.
#pragma once

#include <optional>
#include <string>

namespace tarvek {

class Form1;
struct Model;
struct Platform;

// The title proposed for the sequence's file name: the structure shown, by
// kind and material, or the title of what was imported. For a structure
// built from XY data the user is asked for it; nothing when the user
// cancels that question.
std::optional<std::string> sequenceTitle(Form1& form, Platform& platform, const Model& model);

// Asks for the file name and type, then for the animation options, and
// saves one frame per step while turning the view in the chosen direction:
// base_001.jpg ... (base_001.png ... for the PNG type, with the view's
// background transparent), where base is the chosen name without its
// extension. The view is turned back to where it began. For the GIF type
// the frames become base.gif and are deleted once it is written. A frame
// that cannot be written ends the sequence with a message; the frames
// written so far stay and the view stays where it stopped.
void saveImageSequence(Form1& form, Platform& platform, const Model& model);

} // namespace tarvek
