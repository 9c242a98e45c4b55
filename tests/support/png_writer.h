// Pictures for people to look at, written by the same encoder as the scene tool's.
#pragma once

#include "scenes/png_output.h"

namespace pvtest {

using pvscene::WritePng32;
using pvscene::WritePng8;

}  // namespace pvtest
