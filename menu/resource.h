/*
 * resource.h - resource ids of ZVMenu, shared by the .rc files and the code.
 */
#ifndef ZV_MENU_RESOURCE_H
#define ZV_MENU_RESOURCE_H

#define IDS_FILENOTFOUND  40012
#define IDS_EXECERROR     40013

/* the dialog layouts' built-in logo pictures (type "PNGFILE") */
#define IDP_LOGO_LAYOUT1  110
#define IDP_LOGO_LAYOUT2  111

#endif
