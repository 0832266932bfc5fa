/*
 * flavor_menu.cpp - the settings core as ZVMenu links it: the menu reads no
 * AUTORUN.INF and opens no log, but the shared media code brings the core's
 * log and boxes along, and they need a caption.
 */
#include "flavor.h"

namespace zv {

const SETTINGSFLAVOR zvFlavor = {
    "ZVMenu",
    "ZVMenu",
    "4.3.094",
    40012,
    "",
    1, /* beside the program */
    0,
    1,
    1,
};

} // namespace zv
