// Everything of the host's core that a plug-in sees.
#pragma once

#include <windows.h>

#include "acolor.h"
#include "animtbl.h"
#include "color.h"
#include "coreexp.h"
#include "imtl.h"
#include "interval.h"
#include "ioapi.h"
#include "iparamb2.h"
#include "maxheap.h"
#include "maxtypes.h"
#include "plugapi.h"
#include "point3.h"
#include "ref.h"
#include "stdmat.h"
#include "strbasic.h"
#include "strclass.h"
