// Reads a VRML 2.0 or 1.0 file with Coin and lists its spheres and cylinders in world space.
//
//   vrml_coin_check FILE
//
// Prints "sphere x y z r" and "cylinder x1 y1 z1 x2 y2 z2 r" (the cylinder's
// ends at ±height/2 along its local y) in file order; exits 1 when Coin
// cannot parse the file.
#include <Inventor/SbLinear.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoInput.h>
#include <Inventor/SoPath.h>
#include <Inventor/VRMLnodes/SoVRMLCylinder.h>
#include <Inventor/VRMLnodes/SoVRMLShape.h>
#include <Inventor/VRMLnodes/SoVRMLSphere.h>
#include <Inventor/VRMLnodes/SoVRMLTransform.h>
#include <Inventor/actions/SoGetMatrixAction.h>
#include <Inventor/actions/SoSearchAction.h>
#include <Inventor/lists/SoPathList.h>
#include <Inventor/nodes/SoCylinder.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoSphere.h>

#include <charconv>
#include <cstdio>
#include <string>

namespace {

void put(std::string& line, float value)
{
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  line += ' ';
  line.append(buffer, end);
}

void sphere(const SbMatrix& m, float radius)
{
  SbVec3f centre;
  m.multVecMatrix(SbVec3f(0.0f, 0.0f, 0.0f), centre);
  std::string line = "sphere";
  for (int k = 0; k < 3; ++k)
    put(line, centre[k]);
  put(line, radius);
  std::puts(line.c_str());
}

void cylinder(const SbMatrix& m, float height, float radius)
{
  SbVec3f top;
  SbVec3f bottom;
  m.multVecMatrix(SbVec3f(0.0f, height / 2.0f, 0.0f), top);
  m.multVecMatrix(SbVec3f(0.0f, -height / 2.0f, 0.0f), bottom);
  std::string line = "cylinder";
  for (int k = 0; k < 3; ++k)
    put(line, top[k]);
  for (int k = 0; k < 3; ++k)
    put(line, bottom[k]);
  put(line, radius);
  std::puts(line.c_str());
}

SoPathList search(SoNode* root, SoType type)
{
  SoSearchAction action;
  action.setType(type);
  action.setInterest(SoSearchAction::ALL);
  action.apply(root);
  return action.getPaths();
}

// VRML 2.0: each top-level Transform holds one Shape.
void listVrml2(SoNode* root)
{
  const SoPathList paths = search(root, SoVRMLTransform::getClassTypeId());
  for (int i = 0; i < paths.getLength(); ++i) {
    auto* t = static_cast<SoVRMLTransform*>(paths[i]->getTail());
    if (t->children.getNum() < 1 || !t->children[0]->isOfType(SoVRMLShape::getClassTypeId()))
      continue;
    SoNode* geometry = static_cast<SoVRMLShape*>(t->children[0])->geometry.getValue();
    SbMatrix m;
    m.setTransform(t->translation.getValue(), t->rotation.getValue(), t->scale.getValue(),
                   t->scaleOrientation.getValue(), t->center.getValue());
    if (geometry && geometry->isOfType(SoVRMLSphere::getClassTypeId()))
      sphere(m, static_cast<SoVRMLSphere*>(geometry)->radius.getValue());
    else if (geometry && geometry->isOfType(SoVRMLCylinder::getClassTypeId())) {
      auto* c = static_cast<SoVRMLCylinder*>(geometry);
      cylinder(m, c->height.getValue(), c->radius.getValue());
    }
  }
}

// VRML 1.0: spheres first, then cylinders, each with the matrix of its path.
void listVrml1(SoNode* root)
{
  const SbViewportRegion viewport;
  const SoPathList spheres = search(root, SoSphere::getClassTypeId());
  for (int i = 0; i < spheres.getLength(); ++i) {
    SoGetMatrixAction action(viewport);
    action.apply(spheres[i]);
    sphere(action.getMatrix(), static_cast<SoSphere*>(spheres[i]->getTail())->radius.getValue());
  }
  const SoPathList cylinders = search(root, SoCylinder::getClassTypeId());
  for (int i = 0; i < cylinders.getLength(); ++i) {
    SoGetMatrixAction action(viewport);
    action.apply(cylinders[i]);
    auto* c = static_cast<SoCylinder*>(cylinders[i]->getTail());
    cylinder(action.getMatrix(), c->height.getValue(), c->radius.getValue());
  }
}

} // namespace

int main(int argc, char** argv)
{
  if (argc != 2) {
    std::fputs("usage: vrml_coin_check FILE\n", stderr);
    return 2;
  }
  SoDB::init();
  SoInput input;
  if (!input.openFile(argv[1])) {
    std::fprintf(stderr, "cannot open %s\n", argv[1]);
    return 1;
  }
  const bool vrml2 = input.isFileVRML2();
  SoSeparator* root = SoDB::readAll(&input);
  if (!root) {
    std::fprintf(stderr, "cannot parse %s\n", argv[1]);
    return 1;
  }
  root->ref();
  if (vrml2)
    listVrml2(root);
  else
    listVrml1(root);
  root->unref();
  return 0;
}
