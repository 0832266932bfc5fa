/*
 * flavor_runtime.cpp - the settings core as ZORVAN.EXE uses it.
 */
#include "flavor.h"

namespace zv {

const SETTINGSFLAVOR zvFlavor = {
    "Zorvan",
    "Zorvan",
    "Version 3.2 Build 140",
    40012,
    "Zorvan Runtime Version 3.2 \\#169 The Zorvan Authors\\nAll rights reserved.",
    1, /* AUTORUN.INF beside the program */
    0, /* no shell verb, no [Content] */
    1, /* settings may name environment variables */
    1, /* copyright from ZORVAN.DAT is decoded for display */
};

} // namespace zv
