/*
 * template_ids.h - ids of the AUTORUN.INF templates (resource type "TEXT"),
 * shared by templates.rc and the writer.
 */
#ifndef ZV_TEMPLATE_IDS_H
#define ZV_TEMPLATE_IDS_H

#define IDT_AUTORUN_PLAIN       600     /* [AutoRun] and [Content] */
#define IDT_AUTORUN_COMMENTED   610
#define IDT_DATA_PLAIN          620     /* [Zorvan Data] and [ZVCFG] */
#define IDT_DATA_COMMENTED      630
#define IDT_SHELLVERB_PLAIN     640     /* the three SHELL keys */
#define IDT_SHELLVERB_COMMENTED 650

#endif
