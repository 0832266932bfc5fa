/*
 * flavor_config.cpp - the settings core as ZVConfig uses it: values stay as
 * the author wrote them, so that saving writes them back unchanged.
 */
#include "flavor.h"

namespace zv {

const SETTINGSFLAVOR zvFlavor = {
    "Zorvan Configuration Utility",
    "ZVConfig",
    "Version 3.2 Build 092",
    40116,
    "Created with the Zorvan Configuration Utility\\n\\#169 The Zorvan Authors",
    0, /* AUTORUN.INF in the current folder */
    1, /* shell verb and [Content] belong to the project */
    0, /* keep %VARIABLES% as written */
    0, /* keep the copyright escaped, as the page edits it */
};

} // namespace zv
