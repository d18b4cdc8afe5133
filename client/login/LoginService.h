#pragma once
// The login exchange with the service: one form POST to "/api/client/clientLogin", the reply body
// handed back untouched (ParseLoginReply judges it).
#include <cstdint>
#include <string>

// Logs the venue in by its account name (UTF-8, sent as raw bytes, not percent-encoded).
// An empty name fails without any network activity.
bool Login(const std::string& utf8Name, std::string& reply);

// Logs the venue in by its numeric id (signed decimal in the body).
bool Login(int32_t id, std::string& reply);

// One POST exchange with a 10-second limit. Success: no transfer error, status 200-299 and a
// non-empty body, which is appended to reply.
bool PostRequest(const std::string& url, const std::string& body, std::string& reply);

// The base address compiled into the client: "http://" + the configured host + ":8393".
std::string BuiltInLoginBase();

// The base address in force: the settings' `request` text when it is not empty (it replaces
// scheme, host and port), the built-in base otherwise.
std::string LoginBase(const std::string& requestSetting);

// base + "/api/client/clientLogin", neither part altered (a base ending in "/" gives "//api").
std::string LoginAddress(const std::string& base);

// The same exchanges against an explicit base address (what Login does after choosing the base).
bool LoginAt(const std::string& base, const std::string& utf8Name, std::string& reply);
bool LoginAt(const std::string& base, int32_t id, std::string& reply);
