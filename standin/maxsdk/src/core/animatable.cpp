// Animatable defaults and the animate mode.
#include "animtbl.h"

namespace {
bool animateMode = false;
}

// Nothing of the host's own per object.
class Animatable::AnimatableImplData : public MaxHeapOperators {};

Animatable::Animatable() = default;
Animatable::~Animatable() = default;

MSTR Animatable::SubAnimName(int /*i*/, bool /*localized*/) { return MSTR(); }
void Animatable::DeleteThis() { delete this; }
SClass_ID Animatable::SuperClassID() { return 0; }
Class_ID Animatable::ClassID() { return Class_ID(0, 0); }

void AnimateOn() { animateMode = true; }
void AnimateOff() { animateMode = false; }
BOOL Animating() { return animateMode ? TRUE : FALSE; }

ParamDimension* defaultDim = nullptr;
