/*
 * resource.h - resource ids of ZORVAN.EXE, shared by the .rc files and the code.
 */
#ifndef ZV_RUNTIME_RESOURCE_H
#define ZV_RUNTIME_RESOURCE_H

#define IDS_READERROR       40012
#define IDS_CANNOTOPEN      40013
#define IDS_ALLOCFAILED     40014
#define IDS_BITMAPERROR     40015

#endif
