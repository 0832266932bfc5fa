/*
 * resource.h - resource ids of ZVMenu, shared by the .rc files and the code.
 */
#ifndef ZV_MENU_RESOURCE_H
#define ZV_MENU_RESOURCE_H

#define IDS_FILENOTFOUND  40012
#define IDS_EXECERROR     40013

/* the icon readers' messages */
#define IDS_ICONNOMEMORY  40014
#define IDS_ICONOPEN      40015
#define IDS_ICONFORMAT    40016
#define IDS_ICONNOTPROGRAM 40017
#define IDS_ICONGROUPS    40018
#define IDS_ICONSEEK      40019
#define IDS_ICONREAD      40020

/* the dialog layouts' built-in logo pictures (type "PNGFILE") */
#define IDP_LOGO_LAYOUT1  110
#define IDP_LOGO_LAYOUT2  111

/* the dialog layouts: buttons beside (1) or below (2) the logo */
#define IDD_LAYOUT1       121
#define IDD_LAYOUT2       122
#define IDC_ITEM1         100
#define IDC_COPYRIGHT     999
#define IDC_LOGO          1002

#endif
