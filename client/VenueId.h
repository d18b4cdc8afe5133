#pragma once
// The venue id of the profile as a number for the login by id.
#include <cstdint>
#include <string>

// True when the profile's id names a venue: not empty, not exactly "0", and its leading
// decimal digits (after optional white space and sign) fit a 32-bit signed integer.
bool VenueIdToLogin(const std::string& text, int32_t& id);
