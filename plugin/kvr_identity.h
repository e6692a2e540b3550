#pragma once

// The product's own titles; its name and version are the maker's library's (tv_identity.h).

// The manual's title: its file is "<title> Manual.pdf" in the host's documentation folder.
inline constexpr const char* pcszManualTitle = "Kelvaro for Genesis 9";
