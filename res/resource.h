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

// ---- Record maintenance II: scouts, adults, subunits, schedules, equipment
// (the shared list and information controls IDC_REC_ are the common base's)
#define IDD_EQUIP_MGMT             124
#define IDD_EQUIP                  125
#define IDD_SCOUT_MGMT             128
#define IDD_SCOUT                  129
#define IDD_ADULT_MGMT             130
#define IDD_ADULT                  131
#define IDD_SCHED_MGMT             161
#define IDD_SCHED_DATES            268
#define IDD_SCHED_GEN              269
#define IDD_SCHED_PART             271
#define IDD_SUBUNIT                1540
#define IDD_SUBUNIT_MGMT           420
#define IDC_MEM_HEAD1              3300
#define IDC_MEM_HEAD2              3301
#define IDC_MEM_HEAD3              3302
#define IDC_MEM_LAST               3303
#define IDC_MEM_FIRST              3304
#define IDC_MEM_ADDRESS1           3305
#define IDC_MEM_ADDRESS2           3306
#define IDC_MEM_CITY               3307
#define IDC_MEM_STATE              3308
#define IDC_MEM_ZIP                3309
#define IDC_MEM_HOMEPHONE          3310
#define IDC_MEM_CELL               3311
#define IDC_MEM_PARENT1_LAST       3312
#define IDC_MEM_PARENT1_FIRST      3313
#define IDC_MEM_PARENT2_LAST       3314
#define IDC_MEM_PARENT2_FIRST      3315
#define IDC_MEM_EMAIL              3316
#define IDC_MEM_REMARKS            3317
#define IDC_MEM_SUBUNIT_LABEL      3318
#define IDC_MEM_SUBUNIT            3319
#define IDC_MEM_INFO_GROUP         3320
#define IDC_MEM_JOINED             3321
#define IDC_MEM_LEFT               3322
#define IDC_MEM_OBAL_LABEL         3323
#define IDC_MEM_OBAL               3324
#define IDC_MEM_CURRENT            3325
#define IDC_MEM_CONVERT            3326
#define IDC_MEM_SPOUSE             3327
#define IDC_MEM_WORKPHONE          3328
#define IDC_MEM_WORKEXT            3329
#define IDC_MEM_FAX                3330
#define IDC_SUB_NAME               3340
#define IDC_SUB_REMARKS            3341
#define IDC_SUB_PASSBOOK           3342
#define IDC_SUB_DATES_GROUP        3343
#define IDC_SUB_OPENED_LABEL       3344
#define IDC_SUB_OPENED             3345
#define IDC_SUB_CLOSED_LABEL       3346
#define IDC_SUB_CLOSED             3347
#define IDC_SUB_BAL_GROUP          3348
#define IDC_SUB_OBAL_LABEL         3349
#define IDC_SUB_OBAL               3350
#define IDC_SUB_CURRENT_LABEL      3351
#define IDC_SUB_CURRENT            3352
#define IDC_SCH_NAME               3360
#define IDC_SCH_ACCOUNT            3361
#define IDC_SCH_APPLY              3362
#define IDC_SCH_PREV               3363
#define IDC_SCH_NEXT               3364
#define IDC_SCH_HEADER_ICON        3365
#define IDC_SCH_HEADER_TITLE       3366
#define IDC_SCH_HEADER_LINE        3367
#define IDC_SCH_NAME_LABEL         3368
#define IDC_SCH_ACCOUNT_LABEL      3369
#define IDC_SCH_WEEKLY             3370
#define IDC_SCH_MONTHLY            3371
#define IDC_SCH_FIRST_DATE         3372
#define IDC_SCH_SECOND_DATE        3373
#define IDC_SCH_GENERATE           3374
#define IDC_SCH_SCROLL             3375
#define IDC_SCH_COPYALL            3376
#define IDC_SCH_HOLDERS            3377
#define IDC_SCH_DATE0              3380
#define IDC_SCH_AMOUNT0            3400
#define IDC_SCH_PART0              3420
#define IDC_SCH_OWED0              3430
#define IDC_SCH_PAID0              3440
#define IDC_EQ_DESCRIPTION         3450
#define IDC_EQ_INVENTORY           3451
#define IDC_EQ_QUANTITY            3452
#define IDC_EQ_CONDITION           3453
#define IDC_EQ_CAT1_LABEL          3454
#define IDC_EQ_CAT1                3455
#define IDC_EQ_CAT2_LABEL          3456
#define IDC_EQ_CAT2                3457
#define IDC_EQ_REMARKS             3458
#define IDC_EQ_PURCHASE_LABEL      3459
#define IDC_EQ_PURCHASE            3460
#define IDC_EQ_PRICE_LABEL         3461
#define IDC_EQ_PRICE               3462
#define IDC_EQ_VALUE_LABEL         3463
#define IDC_EQ_VALUE               3464
#define IDC_EQ_REPLACE             3465
#define IDC_EQ_REMOVED             3466
#define IDC_EQ_DESCRIPTION_LABEL   3467

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
