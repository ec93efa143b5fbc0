// Symbolic ids of the program's resources: dialog templates (IDD_), menus
// and accelerator tables (IDR_), controls (IDC_) and commands (ID_). The
// template and menu files under res/ use these names; so does the code.
// Keep one "#define NAME number" per line: the resource loader reads them.
#pragma once

// ---- Developer gallery -----------------------------------------------------
#define IDD_GALLERY_CONTROLS       9000
#define IDC_GAL_EDIT               9001
#define IDC_GAL_EDIT_DISABLED      9002
#define IDC_GAL_EDIT_READONLY      9003
#define IDC_GAL_EDIT_MULTI         9004
#define IDC_GAL_CHECK              9005
#define IDC_GAL_CHECK_ON           9006
#define IDC_GAL_CHECK_3STATE       9007
#define IDC_GAL_CHECK_DISABLED     9008
#define IDC_GAL_RADIO1             9009
#define IDC_GAL_RADIO2             9010
#define IDC_GAL_RADIO3             9011
#define IDC_GAL_LIST               9012
#define IDC_GAL_LIST_MULTI         9013
#define IDC_GAL_COMBO_DROPDOWN     9014
#define IDC_GAL_COMBO_LIST         9015
#define IDC_GAL_COMBO_SIMPLE       9016
#define IDC_GAL_COMBO_DROPPED      9017
#define IDC_GAL_SCROLL_H           9018
#define IDC_GAL_SCROLL_V           9019
#define IDC_GAL_BUTTON             9020
#define IDC_GAL_BUTTON_DISABLED    9021
#define IDC_GAL_STATIC_RIGHT       9022
#define IDC_GAL_CLICKS             9023
#define IDC_GAL_MESSAGEBOX         9024

#define IDD_GALLERY_SHARED         9030
#define IDC_GAL_DATE               9031
#define IDC_GAL_AMOUNT             9032
#define IDC_GAL_AMOUNT_NEG         9033
#define IDC_GAL_PICTURE            9034
#define IDC_GAL_PICTURE_DOWN       9035
#define IDC_GAL_PICTURE_OFF        9036
#define IDC_GAL_EDITLABEL          9037
#define IDC_GAL_PICKLABEL          9038
#define IDC_GAL_FILLCOMBO          9039
#define IDC_GAL_PHONE              9040

#define IDR_GALLERY                9100
#define ID_GAL_FILE_EXIT           9101
#define ID_GAL_VIEW_CHECKED        9102
#define ID_GAL_VIEW_GRAYED         9103
#define ID_GAL_HELP_ABOUT          9104

// ---- Question box and progress window --------------------------------------
#define IDD_PROGRESS               186
#define IDD_QUESTION               315
#define IDC_PROGRESS_BAR           1267
#define IDC_PROGRESS_CAPTION       1331
#define IDC_PROGRESS_HELP          57670
#define IDC_QUESTION_YES           1708
#define IDC_QUESTION_ICON          1709
#define IDC_QUESTION_TEXT          1710
#define IDC_QUESTION_YESTOALL      3
#define IDC_QUESTION_NOTOALL       4
#define IDC_QUESTION_NO            5

// ---- Date edit's calendar pop-up --------------------------------------------
#define IDD_CALENDAR               304
#define IDC_CALENDAR               1396

// ---- Text viewer ---------------------------------------------------------------
#define IDD_TEXTVIEW               172
#define IDC_TEXTVIEW_TEXT          1283

// ---- Common dialogs ----------------------------------------------------------
#define IDD_COMMDLG_FILE           9200
#define IDD_COMMDLG_FONT           9201
#define IDD_COMMDLG_FIND           9202
#define IDD_COMMDLG_REPLACE        9203

// ---- Folder picker --------------------------------------------------------------
#define IDD_FOLDER_PICKER          1536
// ---- Conversion wizard -------------------------------------------------------
// The wizard's templates keep their own range: the main program's templates
// share the embedded resources and use the low numbers.
#define IDD_WIZ_WELCOME            8130
#define IDD_WIZ_SOURCE             8131
#define IDD_WIZ_SUBUNIT_QUESTION   8135
#define IDD_WIZ_IDENTIFICATION     8136
#define IDD_WIZ_ADULT              8137
#define IDD_WIZ_FISCAL_YEARS       8138
#define IDD_WIZ_START              8139
#define IDD_WIZ_STATUS             8141
#define IDI_WIZ_PROGRAM            128
#define IDD_WIZ_MODE               8142
#define IDD_WIZ_FOLDER             8536
#define IDC_WIZ_TYPE               1006
#define IDC_WIZ_SOURCE_LABEL       1007
#define IDC_WIZ_SOURCE_FOLDER      1008
#define IDC_WIZ_BROWSE             1009
#define IDC_WIZ_DRIVE_ROOT         1010
#define IDC_WIZ_TEXT               1011
#define IDC_WIZ_YES                1019
#define IDC_WIZ_NO                 1020
#define IDC_WIZ_MEMBERS            1023
#define IDC_WIZ_YEAR_SCROLL        1025
#define IDC_WIZ_FOLDER             1030
#define IDC_WIZ_RESET              1031
#define IDC_WIZ_STATUS_LIST        1032
#define IDC_WIZ_ADULT_LABEL        1045
#define IDC_WIZ_ADULT_LIST         1046
#define IDC_WIZ_ROOT_BROWSE        1046

// ---- Application shell: password, tips, warnings, FAQs, About, unit information
#define IDD_ABOUTBOX               100
#define IDD_TIPOFDAY               103
#define IDD_UNITINFO               113
#define IDD_NEWPASSWORD            272
#define IDD_PASSWORD               273
#define IDD_FAQ                    286
#define IDD_OPTWARN                298
#define IDC_TIP_FRAME              1000
#define IDC_TIP_STARTUP            1001
#define IDC_TIP_NEXT               1002
#define IDC_TIP_TEXT               1004
#define IDC_ABOUT_VERSION          1008
#define IDC_ABOUT_CONTACT          1010
#define IDC_ABOUT_DESCRIPTION      1012
#define IDC_UNIT_ADDRESS1          1023
#define IDC_UNIT_ADDRESS2          1024
#define IDC_UNIT_PERIOD            1027
#define IDC_UNIT_NAME              1028
#define IDC_ABOUT_EMAIL            1078
#define IDC_SHELL_TITLE            1109
#define IDC_UNIT_CITY              1481
#define IDC_UNIT_STATE             1482
#define IDC_UNIT_ZIP               1483
#define IDC_SHELL_ICON             1534
#define IDC_PASSWORD_PROMPT        1543
#define IDC_PASSWORD_NEW           1544
#define IDC_PASSWORD_CONFIRM       1545
#define IDC_PASSWORD_TEXT          1549
#define IDC_FAQ_TREE               1592
#define IDC_FAQ_SELECT             4
#define IDC_OPTWARN_TEXT           1636
#define IDC_OPTWARN_FRAME          1665
#define IDC_UNIT_CAPTION1          1711
#define IDC_UNIT_CAPTION2          1712
#define IDC_UNIT_CAPTION3          1713
#define IDC_UNIT_INFO1             1714
#define IDC_UNIT_INFO2             1715
#define IDC_UNIT_INFO3             1716
#define IDC_OPTWARN_DONTSHOW       1784
#define IDC_ABOUT_WEBSITE          1791
#define IDC_ABOUT_UPDATE           1792
#define IDC_SHELL_HELP             57670

// ---- Application shell: backup, restore and the Preferences sheet
#define IDD_RESTORE                175
#define IDD_PREF_GENERAL           275
#define IDD_PREF_BACKGROUND        276
#define IDD_PREF_TOOLS             277
// The print dialog holds 1538.
#define IDD_BACKUP                 1537
#define IDD_PREF_GRID              1545
#define IDC_BACKUP_BROWSE          1260
#define IDC_RESTORE_YEAR           1287
#define IDC_RESTORE_SYSTEM         1302
#define IDC_BACKUP_FOLDER          1481
#define IDC_RESTORE_FOLDER         1481
#define IDC_PREF_DATE              1013
#define IDC_PREF_SPLIT_CAUTION     1127
#define IDC_PREF_PAGE_SETUP        1272
#define IDC_PREF_NOTEPAD           1394
#define IDC_PREF_CALCULATOR        1395
#define IDC_PREF_CALENDAR          1396
#define IDC_PREF_NOTEPAD_BROWSE    1397
#define IDC_PREF_CALCULATOR_BROWSE 1398
#define IDC_PREF_CALENDAR_BROWSE   1399
#define IDC_PREF_PASSWORD          1544
#define IDC_PREF_CHECK_ALWAYS      1565
#define IDC_PREF_CHECK_PROMPT      1566
#define IDC_PREF_CHECK_NEVER       1567
#define IDC_PREF_BACKUP_ALWAYS     1568
#define IDC_PREF_BACKUP_PROMPT     1569
#define IDC_PREF_BACKUP_NEVER      1570
#define IDC_PREF_SCHEDULE_CAUTION  1667
#define IDC_PREF_TIP               1668
#define IDC_PREF_SPLASH            1669
#define IDC_PREF_CARRY_BACK        1670
#define IDC_PREF_RED               1570
#define IDC_PREF_RED_SPIN          1571
#define IDC_PREF_GREEN             1572
#define IDC_PREF_BLUE              1573
#define IDC_PREF_GREEN_SPIN        1574
#define IDC_PREF_BLUE_SPIN         1575
#define IDC_PREF_COLOUR_NAME       1577
#define IDC_PREF_PICTURE           1579
#define IDC_PREF_STRETCH           1581
#define IDC_PREF_RESET             1582
#define IDC_PREF_PREVIEW           1276
#define IDC_PREF_DEFAULT_IMAGE     1677
#define IDC_PREF_NO_IMAGE          1794
#define IDC_PREF_OTHER_IMAGE       1796
#define IDC_PREF_REGISTER_GRID     1761
#define IDC_PREF_SUPPORT_GRID      1762
#define IDC_PREF_HEADERS           1764
#define IDC_PREF_ODD_ROWS          1765
#define IDC_PREF_EVEN_ROWS         1766
#define IDC_PREF_CURRENT_ROW       1767
#define IDC_PREF_GRID_DEFAULT      1768
#define IDC_PREF_EDITED_ROW        1769
#define IDC_PREF_USE_GRIDS         1774
#define IDC_PREF_SAMPLE_GRID       1783
