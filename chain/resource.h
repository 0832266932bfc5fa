/*
 * resource.h - resource ids of ZVChain, shared by the .rc files and the code.
 */
#ifndef ZV_CHAIN_RESOURCE_H
#define ZV_CHAIN_RESOURCE_H

#define IDI_ZVCHAIN     101
#define IDS_WAITFAILED  33

#endif
