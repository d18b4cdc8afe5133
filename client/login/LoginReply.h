#pragma once
// Reading the service's login reply into the venue profile and the local cache.
#include <string>

#include "VenueProfile.h"

class LoginDataBase;

// Reads the reply into GetVenueProfile() and, when the service accepted the login ("errcode" 0),
// replaces the cache of GetLoginDataBase(). True only for an accepted reply that was read whole.
bool ParseLoginReply(const std::string& reply);

// The same against a given profile and cache.
bool ParseLoginReply(const std::string& reply, VenueProfile& profile, LoginDataBase& cache);
