/*
 * resource.h - resource ids of ZORVAN.EXE, shared by the .rc files and the code.
 */
#ifndef ZV_RUNTIME_RESOURCE_H
#define ZV_RUNTIME_RESOURCE_H

#define IDS_READERROR       40012
#define IDS_CANNOTOPEN      40013
#define IDS_ALLOCFAILED     40014
#define IDS_BITMAPERROR     40015

#define IDI_ZORVAN          110

/* controls of the splash templates */
#define IDC_SPLASHFRAME     100
#define IDC_SPLASHPICTURE   101
#define IDC_SPLASHCOPYRIGHT 103

/* the licence-text templates EULA and EULAXP, and the built-in page */
#define IDC_EULATEXT        120
#define IDC_EULACHECK       200
#define IDR_EULAPAGE        130

#endif
