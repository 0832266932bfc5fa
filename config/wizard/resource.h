/*
 * resource.h - resource ids of ZVConfig, shared by the .rc files and the code.
 */
#ifndef ZV_CONFIG_RESOURCE_H
#define ZV_CONFIG_RESOURCE_H

/* ---- dialogs ---- */
#define IDD_AUTOCOPY        115
#define IDD_ABOUT           118
#define IDD_FRAME           130
#define IDD_WIZONE          131
#define IDD_WIZTWO          132
#define IDD_WIZTWOPTFIVE    133
#define IDD_WIZTHREE        134
#define IDD_WIZFOUR         135
#define IDD_WIZFIVE         136
#define IDD_WIZSIX          137
#define IDD_WIZEIGHT        139
#define IDD_WIZNINE         140
#define IDD_WIZTEN          141
#define IDD_WIZELEVEN       142
#define IDD_WIZTWELVE       143
#define IDD_WIZFINISH       144

/* ---- pictures: side bar, About picture, icon, page banners ---- */
#define IDB_SIDEBAR         104
#define IDB_ABOUT           105
#define IDI_ZVCONFIG        113
#define IDM_BANNER1         500
#define IDM_BANNER2         501
#define IDM_BANNER4         502
#define IDM_BANNER5         503
#define IDM_BANNER6         504
#define IDM_BANNER7         505
#define IDM_BANNER8         507
#define IDM_BANNER9         508
#define IDM_BANNER10        509
#define IDM_BANNER11        510
#define IDM_BANNER12        511
#define IDM_BANNER13        512
#define IDM_BANNER3         513

/* ---- frame (dialog 130) ---- */
#define IDC_PREVIOUS        4
#define IDC_NEXT            3
#define IDC_CLOSE           2
#define IDC_SAVEDOTS        1001
#define IDC_ABOUT           1016
#define IDC_BANNER          1039
#define IDC_HELPBUTTON      1218

/* commands the frame posts itself, or a page posts it */
#define ID_SHOWFIRSTPAGE    0x8000
#define ID_SHOWSECONDPAGE   0x8002

/* ---- project page (131) ---- */
#define IDC_CREATENEW       1040
#define IDC_OPENEXISTING    1041

/* ---- AUTORUN pages (132, 133) ---- */
#define IDI_PLACEHOLDER     122
#define IDC_BROWSE          1001
#define IDC_OPENPROGRAM     1014
#define IDC_ICONFILE        1020
#define IDC_ICONNUMBER      1041
#define IDC_ICONPREVIEW     1042
#define IDC_MEDIALABEL      1118
#define IDC_MUSICFILES      1001
#define IDC_PICTUREFILES    1003
#define IDC_VIDEOFILES      1005
#define IDC_ACTIONTEXT      1006

/* ---- document, viewer and default-action pages (134 to 136) ---- */
#define IDC_DOCUMENT        1000
#define IDC_WINDOWMODE      1026
#define IDC_BROWSELOCAL     1067
#define IDC_VIEWER          1002
#define IDC_FORCEVIEWER     1003
#define IDC_ASSOCIATION     1019
#define IDC_DAMESSAGE       1043
#define IDC_DAMESSAGETEXT   1021
#define IDC_DAOPEN          1044
#define IDC_DAOPENTEXT      1004
#define IDC_DANONE          1045

/* ---- finish page (144) ---- */
#define IDC_COMMENTS        1038
#define IDC_SAVEDAT         1070
#define IDC_TESTRUN         1117
#define IDC_SAVEINF         1216
#define IDC_VIEWINF         1518

/* ---- copyright page (137) ---- */
#define IDC_COPYRIGHT       1005
#define IDC_COPYRIGHTTEXT   1318

/* ---- splash page (139) ---- */
#define IDC_SHOWSPLASH      1038
#define IDC_CUSTOMSPLASH    1018
#define IDC_SPLASHFILE      1009
#define IDC_SPLASHBROWSE    1001
#define IDC_IMAGEWIDTH      1012
#define IDC_IMAGEHEIGHT     1013
#define IDC_LOOKUP          1046
#define IDC_ANIMATION       1066

/* ---- splash options page (140) ---- */
#define IDC_SPLASHTIME      1011
#define IDC_PAUSETIME       1010
#define IDC_ALTSPLASH       1116
#define IDC_TOPMOST         1017
#define IDC_WINDOWTITLE     1065

/* ---- placement page (141); each up-down's id follows its edit's ---- */
#define IDC_ANGLE           1060
#define IDC_ANGLESPIN       1061
#define IDC_DISTANCE        1062
#define IDC_DISTANCESPIN    1063
#define IDC_SCREENPICTURE   1064

/* ---- sound page (142) ---- */
#define IDC_PLAYSOUND       1038
#define IDC_MUSICFILE       1011
#define IDC_MUSICBROWSE     1001
#define IDC_MUSICLENGTH     1012
#define IDC_PLAY            1117
#define IDC_STOP            1418
#define IDI_PLAY            120
#define IDI_STOP            121

/* ---- legal-notice page (143) ---- */
#define IDC_SHOWNOTICE      1050
#define IDC_NOTICECAPTION   1051
#define IDC_SHOWFILE        1002
#define IDC_LICENSEBROWSE   1001
#define IDC_NOTICELABEL     1004
#define IDC_LICENSEFILE     1095
#define IDC_SIMPLEACCEPT    1090
#define IDC_NOTICETEXT      1052

/* ---- Auto-Copy dialog (115) ---- */
#define IDC_ACFOLDER        1013
#define IDC_ACSOURCE        1015
#define IDYESALWAYS         8

/* ---- About box (118) ---- */
#define IDC_ABOUTNAME       1023
#define IDC_ABOUTVERSION    1024
#define IDC_ABOUTCOPYRIGHT  1026
#define IDC_LIBRARYINFO     998
#define IDC_WEBSITE         990
#define IDC_CHECKUPDATES    995

/* ---- strings: file-dialog triples (title, filter, extension) ---- */
#define IDS_SELECTICON      40000
#define IDS_SELECTDOCUMENT  40003
#define IDS_SELECTVIEWER    40006
#define IDS_SELECTSPLASH    40009
#define IDS_SELECTMUSIC     40012
#define IDS_CREATEINF       40024
#define IDS_CREATEDAT       40027
#define IDS_OPENINF         40030
#define IDS_LOCATEZORVAN    40033
#define IDS_LOCATELICENSE   40036

/* ---- strings: messages ---- */
#define IDS_REGWRITEERROR   40115
#define IDS_FILENOTFOUND    40116
#define IDS_FILEWRITEERROR  40117
#define IDS_REPLACEFILE     40118
#define IDS_COPYTOMEDIUM    40120
#define IDS_NOASSOCIATION   40121
#define IDS_SAVECHANGES     40122
#define IDS_CANNOTEXECUTE   40123
#define IDS_ABSOLUTEPATH    40140

/* the web addresses of the About box's two buttons carry their ids */
#define IDS_WEBSITE         IDC_WEBSITE
#define IDS_CHECKUPDATES    IDC_CHECKUPDATES

#endif
