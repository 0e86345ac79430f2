/* Resource numbers of the installer, shared by the resource script and the code. */
#ifndef KIV_INSTALLER_RESOURCE_H
#define KIV_INSTALLER_RESOURCE_H

#define IDD_INSTALLER_ABOUT 103
#define IDI_KIV_SETUP 107
#define IDI_KIV_SETUP_SMALL 108
#define IDD_ALREADY_INSTALLED 130
#define IDI_KIV_REINSTALL 134
#define IDI_KIV_UNINSTALL 135
#define IDI_KIV_QUESTION 136

#define IDC_ABOUT_ICON 2
#define IDC_UNINSTALL 1000
#define IDC_REINSTALL 1001

#endif
