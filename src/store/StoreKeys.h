#pragma once

// Keys of the case store's files: a case record, a photo file and a photo.
namespace StoreKeys {
inline constexpr char pk[] = "pk";
inline constexpr char pakeno[] = "pakeno";
inline constexpr char Chkno[] = "Chkno";
inline constexpr char type[] = "type";
inline constexpr char state[] = "state";
inline constexpr char rcdTime[] = "rcdTime";
inline constexpr char prarms[] = "prarms";
inline constexpr char photoId[] = "photoId";
inline constexpr char topPhoto[] = "topPhoto";
inline constexpr char photos[] = "photos";
inline constexpr char photos_1[] = "photos_1";
inline constexpr char photo[] = "photo";
inline constexpr char imgTime[] = "imgTime";
inline constexpr char lat[] = "lat";
inline constexpr char lon[] = "lon";
} // namespace StoreKeys

// Values of a case record's "state".
namespace CaseState {
inline constexpr char waiting[] = "0";
inline constexpr char sent[] = "1";
inline constexpr char overdue[] = "2";
} // namespace CaseState
