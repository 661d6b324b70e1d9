/* Every resource, control, command and message number of the program, written once.
   Plain #defines only: the resource compiler includes this file as well as C++ code. */
#ifndef QUELLIN_RESOURCE_IDS_H
#define QUELLIN_RESOURCE_IDS_H

/* Resources */
#define IDR_REGISTRATION_SCRIPT 100 /* type "REGISTRY" */
#define IDD_SETTINGS 102
#define IDB_LOGO 202
#define IDR_ACCELERATORS 204

/* Icon set: traffic lights, squares with and without digits, the empty picture */
#define IDI_LIGHT_ALL 128
#define IDI_GREEN 130
#define IDI_RED 131
#define IDI_EMPTY 132
#define IDI_RED_1 133
#define IDI_RED_2 134
#define IDI_RED_3 135
#define IDI_RED_4 136
#define IDI_RED_5 137
#define IDI_GREEN_1 138
#define IDI_GREEN_2 139
#define IDI_GREEN_3 140
#define IDI_GREEN_4 141
#define IDI_GREEN_5 142
#define IDI_LIGHT_RED 143
#define IDI_LIGHT_YELLOW 144
#define IDI_LIGHT_GREEN 145
#define IDI_YELLOW_1 147

/* Controls and commands of the settings dialog */
#define IDC_STATIC (-1) /* controls that no code addresses */
#define IDC_OK 1
#define IDC_CANCEL 2
#define IDC_COLOR_CHECK 206
#define IDC_COLOR_SWATCH 208
#define IDC_WORK_PERIOD 1001
#define IDC_WORK_SPIN 1002
#define IDC_REST_PERIOD 1003
#define IDC_REST_SPIN 1004
#define IDC_TITLE_TEXT 1023
#define IDC_CONTACT_TEXT 1024
#define IDC_BEEP_RADIO 1028
#define IDC_SOUNDS_RADIO 1029
#define IDC_DISABLE_CHANGES 1035
#define IDC_STATUS_IMAGE 1036
#define IDC_HELP_BUTTON 57670 /* also the F1 accelerator's command */

/* String table */
#define IDS_HOOK_FAILED 105
#define IDS_QN_CHANGE_TO_AMBER 57350
#define IDS_QN_CHANGE_TO_RED 57351
#define IDS_QN_RED_EVENT_MINOR 57352
#define IDS_QN_RED_EVENT_MAJOR 57353
#define IDS_QN_CHANGE_TO_GREEN 57354
#define IDS_QN_FIVE_MINS_OK 57359
#define IDS_QN_FIVE_MINS_DENIED 57360
#define IDS_TIP_REST_IN 57362
#define IDS_TIP_REST_SOON 57363
#define IDS_TIP_RESTING 57364
#define IDS_BAD_WORK_PERIOD 57365
#define IDS_BAD_REST_PERIOD 57366
#define IDS_TITLE 57367
#define IDS_TIP_WORK_PERIOD 57373
#define IDS_TIP_REST_PERIOD 57374
#define IDS_TIP_BEEP 57375
#define IDS_TIP_SOUNDS 57376
#define IDS_TIP_COLOR_CHECK 57377
#define IDS_TIP_COLOR_SWATCH 57378
#define IDS_TIP_OK 57379
#define IDS_TIP_DISABLE_CHANGES 57380

/* Tray icon and timer */
#define QUELLIN_TRAY_ICON_ID 42
#define QUELLIN_TRAY_CALLBACK 1025 /* WM_USER + 1 */
#define QUELLIN_TIMER_ID 1
#define QUELLIN_TIMER_MS 1000

#endif
