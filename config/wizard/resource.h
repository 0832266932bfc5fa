/*
 * resource.h - resource ids of ZVConfig, shared by the .rc files and the code.
 */
#ifndef ZV_CONFIG_RESOURCE_H
#define ZV_CONFIG_RESOURCE_H

#define IDS_REGWRITEERROR   40115
#define IDS_FILENOTFOUND    40116
#define IDS_FILEWRITEERROR  40117
#define IDS_NOASSOCIATION   40121
#define IDS_ABSOLUTEPATH    40140

#endif
