#pragma once

// Keys of the settings store that remember the logged-in inspector.
// The inspector's national identity number, upper-cased; empty: nobody.
inline constexpr char chkerIdPreferenceKey[] = "chkerId_preference";
// The inspector's display name as the server gave it.
inline constexpr char chkerNamePreferenceKey[] = "chkerName_preference";
