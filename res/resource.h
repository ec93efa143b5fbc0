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

// ---- Record maintenance: the controls every management and information
// dialog shares (records/RecordListDlg.h, records/RecordInfoDlg.h); Close is
// IDCANCEL and Help IDC_SHELL_HELP.
#define IDC_REC_TITLE              3000
#define IDC_REC_SEPARATOR          3001
#define IDC_REC_LIST               3002
#define IDC_REC_ADD                3003
#define IDC_REC_EDIT               3004
#define IDC_REC_DELETE             3005
#define IDC_REC_LOG                3006
#define IDC_REC_APPLY              3007
#define IDC_REC_PREV               3008
#define IDC_REC_NEXT               3009
#define IDC_REC_COPYALL            3010

// ---- Record maintenance: accounts, budgets, balancing, account types,
// reserve clearance, initial reserves, profit centres, friends. Their own
// control ids lie in 3100-3299; the other record dialogs (members,
// subunits, schedules, equipment) take dialog ids 420-449 where the menu
// names none, and control ids 3300-3599.
#define IDD_ACCTMGMT               132
#define IDD_ACCTINFO               400
#define IDD_BUDGET                 402
#define IDD_BALANCE                403
#define IDD_ACCTTYPES              404
#define IDD_RESCLEAR               405
#define IDD_INITRES                406
#define IDD_PCLIST                 1543
#define IDD_PCINFO                 408
#define IDD_FRIENDLIST             126
#define IDD_FRIENDINFO             410
#define IDC_ACCT_REGISTER          3100
#define IDC_ACCT_BALANCE           3101
#define IDC_ACCT_BUDGET            3102
#define IDC_ACCT_AUTOCLEAR         3103
#define IDC_ACCT_REGISTER_KEY      3104
#define IDC_ACCT_BALANCE_KEY       3105
#define IDC_ACCT_BUDGET_KEY        3106
#define IDC_ACCT_AUTOCLEAR_KEY     3107
#define IDC_ACCT_NUMBER            3110
#define IDC_ACCT_NUMBER_LABEL      3111
#define IDC_ACCT_CLASS             3112
#define IDC_ACCT_NAME              3113
#define IDC_ACCT_OPENING           3114
#define IDC_ACCT_OPENING_LABEL     3115
#define IDC_ACCT_CURRENT           3116
#define IDC_ACCT_SPLIT             3117
#define IDC_ACCT_SPLIT_CHECK       3118
#define IDC_ACCT_BROWSE            3119
#define IDC_TYPES_LIST             3120
#define IDC_BUD_CAPTION            3130
#define IDC_BUD_LABEL0             3131
#define IDC_BUD_LABEL1             3132
#define IDC_BUD_LABEL2             3133
#define IDC_BUD_LABEL3             3134
#define IDC_BUD_LABEL4             3135
#define IDC_BUD_LABEL5             3136
#define IDC_BUD_LABEL6             3137
#define IDC_BUD_LABEL7             3138
#define IDC_BUD_LABEL8             3139
#define IDC_BUD_LABEL9             3140
#define IDC_BUD_LABEL10            3141
#define IDC_BUD_LABEL11            3142
#define IDC_BUD_AMOUNT0            3143
#define IDC_BUD_AMOUNT1            3144
#define IDC_BUD_AMOUNT2            3145
#define IDC_BUD_AMOUNT3            3146
#define IDC_BUD_AMOUNT4            3147
#define IDC_BUD_AMOUNT5            3148
#define IDC_BUD_AMOUNT6            3149
#define IDC_BUD_AMOUNT7            3150
#define IDC_BUD_AMOUNT8            3151
#define IDC_BUD_AMOUNT9            3152
#define IDC_BUD_AMOUNT10           3153
#define IDC_BUD_AMOUNT11           3154
#define IDC_BUD_HINT               3155
#define IDC_BAL_LIST               3160
#define IDC_BAL_DATE               3161
#define IDC_BAL_ENDING             3162
#define IDC_BAL_DEP_LABEL          3163
#define IDC_BAL_DEP                3164
#define IDC_BAL_WD_LABEL           3165
#define IDC_BAL_WD                 3166
#define IDC_BAL_ADJUSTED           3167
#define IDC_BAL_CURRENT            3168
#define IDC_BAL_VARIANCE           3169
#define IDC_BAL_PREVYEAR           3170
#define IDC_BAL_REPORT             3171
#define IDC_BAL_PANEL              3172
#define IDC_RES_TEXT               3180
#define IDC_RES_DATE               3181
#define IDC_INIT_ICON              3190
#define IDC_INIT_NAME0             3191
#define IDC_INIT_NAME1             3192
#define IDC_INIT_NAME2             3193
#define IDC_INIT_NAME3             3194
#define IDC_INIT_NAME4             3195
#define IDC_INIT_NAME5             3196
#define IDC_INIT_NAME6             3197
#define IDC_INIT_NAME7             3198
#define IDC_INIT_AMOUNT0           3199
#define IDC_INIT_AMOUNT1           3200
#define IDC_INIT_AMOUNT2           3201
#define IDC_INIT_AMOUNT3           3202
#define IDC_INIT_AMOUNT4           3203
#define IDC_INIT_AMOUNT5           3204
#define IDC_INIT_AMOUNT6           3205
#define IDC_INIT_AMOUNT7           3206
#define IDC_INIT_SCROLL            3207
#define IDC_INIT_RESERVE           3208
#define IDC_INIT_PASSBOOKS         3209
#define IDC_INIT_UNIT              3210
#define IDC_INIT_UNIT_LABEL        3211
#define IDC_INIT_HINT              3212
#define IDC_PC_NAME                3220
#define IDC_PC_AVAIL               3221
#define IDC_PC_AVAIL_LABEL         3222
#define IDC_PC_INCL                3223
#define IDC_PC_INCL_LABEL          3224
#define IDC_PC_ADD                 3225
#define IDC_PC_ADDALL              3226
#define IDC_PC_REMOVE              3227
#define IDC_PC_REMOVEALL           3228
#define IDC_PC_RESET               3229
#define IDC_FOS_LAST               3240
#define IDC_FOS_FIRST              3241
#define IDC_FOS_ADDR1              3242
#define IDC_FOS_ADDR2              3243
#define IDC_FOS_CITY               3244
#define IDC_FOS_STATE              3245
#define IDC_FOS_ZIP                3246
#define IDC_FOS_REMARKS            3247
#define IDC_FOS_PHONE_TYPE0        3248
#define IDC_FOS_PHONE_TYPE1        3249
#define IDC_FOS_PHONE_TYPE2        3250
#define IDC_FOS_PHONE_TYPE3        3251
#define IDC_FOS_PHONE0             3252
#define IDC_FOS_PHONE1             3253
#define IDC_FOS_PHONE2             3254
#define IDC_FOS_PHONE3             3255
#define IDC_FOS_EXT0               3256
#define IDC_FOS_EXT1               3257
#define IDC_FOS_EXT2               3258
#define IDC_FOS_EXT3               3259
#define IDC_FOS_YEAR0              3260
#define IDC_FOS_YEAR1              3261
#define IDC_FOS_YEAR2              3262
#define IDC_FOS_YEAR3              3263
#define IDC_FOS_AMOUNT0            3264
#define IDC_FOS_AMOUNT1            3265
#define IDC_FOS_AMOUNT2            3266
#define IDC_FOS_AMOUNT3            3267
#define IDC_BAL_DATE_LABEL         3173
#define IDC_BAL_ENDING_LABEL       3174
#define IDC_BAL_ADJUSTED_LABEL     3175
#define IDC_BAL_CURRENT_LABEL      3176
#define IDC_BAL_VARIANCE_LABEL     3177
