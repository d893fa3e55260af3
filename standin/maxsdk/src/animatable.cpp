// Animatable defaults and the animate mode.
#include "animtbl.h"

#include "iparamb2.h"

namespace {
bool animateMode = false;
}

Animatable::~Animatable() = default;

void Animatable::GetClassName(MSTR& s, bool /*localized*/) const { s = _M("Animatable"); }
MSTR Animatable::SubAnimName(int /*i*/, bool /*localized*/) { return MSTR(); }
int Animatable::NumSubs() { return 0; }
Animatable* Animatable::SubAnim(int /*i*/) { return nullptr; }
int Animatable::NumParamBlocks() { return 0; }
IParamBlock2* Animatable::GetParamBlock(int /*i*/) { return nullptr; }
IParamBlock2* Animatable::GetParamBlockByID(BlockID /*id*/) { return nullptr; }
void Animatable::DeleteThis() { delete this; }
SClass_ID Animatable::SuperClassID() { return 0; }
Class_ID Animatable::ClassID() { return Class_ID(0, 0); }

void AnimateOn() { animateMode = true; }
void AnimateOff() { animateMode = false; }
BOOL Animating() { return animateMode ? TRUE : FALSE; }
