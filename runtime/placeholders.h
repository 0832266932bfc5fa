/*
 * placeholders.h - what the start-up calls from the picture loaders and
 * the splash dialog.  The stand-ins that once stood here have given way
 * to the real ones; this header only gathers their declarations.
 */
#ifndef ZV_PLACEHOLDERS_H
#define ZV_PLACEHOLDERS_H

#include "pictures.h"
#include "splash.h"

#endif
