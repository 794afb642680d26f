// Resource and control ids of ml_Coverhall.dll. The numbers are fixed: the
// templates, menus and bitmaps are looked up by them, and several control ids
// repeat across dialogs, so each name carries its dialog.
#pragma once

// Dialog templates.
#define IDD_ALBUM_WINDOW 221
#define IDD_GENRE_WINDOW 123
#define IDD_CONFIGURE 105
#define IDD_ABOUT 104

// Menus, each with one popup "TreeItemContext".
#define IDR_ENTRY_MENU 102
#define IDR_GENRES_MENU 138
#define ID_MENU_ABOUT 40002
#define ID_MENU_HELP 40009
#define ID_MENU_SORT_GENRE 40010
#define ID_MENU_PREPARE_COVERS 40020

// Context menus of the album list and the song list, each with one popup;
// their commands reach the album window as WM_COMMAND.
#define IDR_ALBUM_MENU 160
#define IDR_SONG_MENU 161
#define ID_MENU_PLAY 40101
#define ID_MENU_ENQUEUE 40102
#define ID_MENU_OPEN_FOLDER 40103
#define ID_MENU_REFRESH_COVER 40104
#define ID_MENU_SET_COVER 40105
#define ID_MENU_PASTE_COVER 40106

// Bitmaps.
#define IDB_NO_COVER 116
#define IDB_THUMB_MASK 136
#define IDB_SELECTION_FRAME 140
#define IDB_TAGS_ON 142
#define IDB_TAGS_OFF 143
#define IDB_ABOUT_BANNER 129
#define IDB_ABOUT_PICTURE 132

// Album window (dialog 221).
#define IDC_ALBUM_LIST 1031
#define IDC_STATUS_LINE 1001
#define IDC_SEARCH_EDIT 1006
#define IDC_ENQUEUE 1017
#define IDC_MODE_LIST 1015
#define IDC_MODE_COVERS 1016
#define IDC_MODE_CONTENTS 1026
#define IDC_MODE_GROUP 1024
#define IDC_ARTIST_LABEL 1025
#define IDC_COVER_PICTURE 1030
#define IDC_SONG_LIST 1033
#define IDC_CLEAR_SEARCH 1034
#define IDC_ARTIST_VALUE 1035
#define IDC_TRACKS_LABEL 1027
#define IDC_PLAYTIME_LABEL 1028
#define IDC_YEAR_LABEL 1029
#define IDC_GENRES_LABEL 1032
#define IDC_TRACKS_VALUE 1036
#define IDC_PLAYTIME_VALUE 1037
#define IDC_YEAR_VALUE 1038
#define IDC_GENRES_VALUE 1039
#define IDC_PREVIOUS_ALBUM 1040
#define IDC_NEXT_ALBUM 1041
#define IDC_ALBUM_LABEL 1042
#define IDC_ALBUM_VALUE 1043
#define IDC_DENSITY_GROUP 1044
#define IDC_DENSITY_LOW 1067
#define IDC_DENSITY_HIGH 1068
#define IDC_SHOW_TAGS 1011

// Genre list window (dialog 123).
#define IDC_GENRE_LIST 1042
#define IDC_VIEW_GENRE 1043

// Configure dialog (105).
#define IDC_DETECT_ANY 1064
#define IDC_DETECT_NAMED 1065
#define IDC_DETECT_NAMED_THEN_ANY 1066
#define IDC_IMAGE_NAME 1046
#define IDC_SONG_PICTURES 1069
#define IDC_JOIN_DISC_FOLDERS 1070
#define IDC_COVER_SIZE 1071

// About dialog (104).
#define IDC_ABOUT_BANNER_FRAME 1062
#define IDC_ABOUT_BANNER 1036
#define IDC_ABOUT_PICTURE 1061
#define IDC_ABOUT_TITLE 1048
#define IDC_ABOUT_DESCRIPTION_GROUP 1051
#define IDC_ABOUT_DESCRIPTION 1046
#define IDC_ABOUT_RUNTIME_GROUP 1052
#define IDC_ABOUT_VERSION 1054
#define IDC_ABOUT_BUILD_DATE 1059
#define IDC_ABOUT_AUTHORS_GROUP 1053
#define IDC_ABOUT_CREDIT_GROUP 1057
#define IDC_ABOUT_MAKER 1050
#define IDC_ABOUT_SHOW_README 1063
