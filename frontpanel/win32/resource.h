/* Resource, control and command numbers of kivpanel.exe, shared by the resource script and the code. */
#ifndef KIV_FRONTPANEL_RESOURCE_H
#define KIV_FRONTPANEL_RESOURCE_H

#define IDD_PANEL 101
#define IDD_STATISTICS 102
#define IDM_PANEL 103
#define IDM_PANEL_TRAY_START 104
#define IDB_LIGHT_DARK 105
#define IDB_LIGHT_LIT 106
#define IDI_PANEL 110
#define IDM_TRAY 112
#define IDD_ABOUT 113
#define IDA_PANEL 114
#define IDI_ABOUT_1 118
#define IDI_ABOUT_2 119
#define IDI_ABOUT_3 120
#define IDI_ABOUT_4 121
#define IDI_TRAY_IDLE 122
#define IDI_TRAY_CALL 123
#define IDI_TRAY_CONNECTED 125
#define IDI_TRAY_DISCONNECT 126
#define IDI_TRAY_RETRAIN 127

/* Template 101: the lights, their tip areas and groups. */
#define IDC_LIGHT_DTR 1000
#define IDC_LIGHT_RTS 1001
#define IDC_LIGHT_CD 1002
#define IDC_LIGHT_RING 1003
#define IDC_TIP_RTS 1005
#define IDC_LIGHT_OH 1006
#define IDC_TIP_DSR 1007
#define IDC_TIP_DTR 1008
#define IDC_TIP_CD 1009
#define IDC_TIP_RING 1010
#define IDC_TIP_OH 1011
#define IDC_TIP_CTS 1012
#define IDC_LIGHT_DSR 1013
#define IDC_LIGHT_CTS 1014
#define IDC_GROUP_FIRST 1015
#define IDC_TIP_FRAME 1016
#define IDC_GROUP_SECOND 1017

/* Template 102: the statistics dialog. */
#define IDC_DTE_TX_BAR 1020
#define IDC_DTE_RX_BAR 1021
#define IDC_DTE_TX_FIGURES 1022
#define IDC_DTE_RX_FIGURES 1023
#define IDC_DCE_TX_BAR 1024
#define IDC_DCE_TX_FIGURES 1025
#define IDC_DCE_RX_BAR 1026
#define IDC_DCE_RX_FIGURES 1027
#define IDC_RTS_FREQUENCY 1028
#define IDC_TASKER_RUNTIME 1029
#define IDC_RTS_ASYNC 1030
#define IDC_TASKER_LOOPS 1031
#define IDC_QIN_BAR 1032
#define IDC_QIN_FIGURES 1033
#define IDC_QOUT_BAR 1034
#define IDC_QOUT_FIGURES 1035
#define IDC_RTS_SLIDER 1037
#define IDC_RTS_REQUESTED 1038
#define IDC_SET_RTS 1039

/* Template 113: the About box. */
#define IDC_ABOUT_PICTURE 1041
#define IDC_ABOUT_VERSION 1042
#define IDC_ABOUT_NOTICE_1 1043
#define IDC_ABOUT_NOTICE_2 1044
#define IDC_ABOUT_TITLE 1045

/* Commands of the menus, the accelerators and the tray menu. */
#define IDM_ALWAYS_ON_TOP 40001
#define IDM_START_AS_WINDOW 40002
#define IDM_START_AS_TRAY_ICON 40003
#define IDM_EXIT 40019
#define IDM_ABOUT 40020
#define IDM_OPEN 40021
#define IDM_STATISTICS 40024
#define IDM_MINIMIZE 40025
#define IDM_CONFIGURE 40026

#endif
