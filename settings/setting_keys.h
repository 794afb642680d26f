// The keys of the plug-in's settings in section "ml_Coverhall" of the host's
// INI file, each named once. Stored files hold them as they are spelt here,
// "CoverDesity" included.
#pragma once

constexpr char kCoverDetectionKey[] = "FrontCoverDetection";
constexpr char kCoverImageNameKey[] = "FrontCoverImageName";
constexpr char kSongPicturesKey[] = "EmbeddedCovers";
constexpr char kCoverDensityKey[] = "CoverDesity";
constexpr char kTreeGenreSortOrderKey[] = "TreeGenreSortOrder";
constexpr char kShowAlbumTagsKey[] = "ShowAlbumTags";
constexpr char kJoinDiscFoldersKey[] = "JoinDiscFolders";
constexpr char kCoverSizeKey[] = "CoverSize";
constexpr char kViewModeKey[] = "UsedView";
constexpr char kAlbumSortColumnKey[] = "sortcol";
constexpr char kAlbumSortDescendingKey[] = "sortdir";
constexpr char kSongSortColumnKey[] = "SongListSortedCol";
constexpr char kSongSortDescendingKey[] = "SongListSortDir";
constexpr char kGenreSortColumnKey[] = "GenreListSortedCol";
constexpr char kGenreSortDescendingKey[] = "GenreListSortDir";
constexpr char kSearchTextKey[] = "lastfilter";
