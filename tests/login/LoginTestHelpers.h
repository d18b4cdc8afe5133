#pragma once
// Comparisons of profiles and tool lists for the login tests.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "VenueProfile.h"

inline bool operator==(const ToolEntry& a, const ToolEntry& b) {
  return a.idx == b.idx && a.open == b.open && a.type == b.type && a.name == b.name && a.img == b.img &&
         a.path == b.path;
}

inline std::ostream& operator<<(std::ostream& out, const ToolEntry& t) {
  return out << "{idx " << t.idx << ", open " << t.open << ", type " << t.type << ", name '" << t.name
             << "', img '" << t.img << "', path '" << t.path << "'}";
}

inline ToolEntry Tool(int32_t idx, const std::string& name, bool open = false, int32_t type = 0,
                      const std::string& img = "", const std::string& path = "") {
  ToolEntry tool;
  tool.idx = idx;
  tool.name = name;
  tool.open = open;
  tool.type = type;
  tool.img = img;
  tool.path = path;
  return tool;
}

// The fields the cache keeps.
inline void ExpectSameCachedFields(const VenueProfile& expected, const VenueProfile& actual) {
  EXPECT_EQ(expected.id, actual.id);
  EXPECT_EQ(expected.realname, actual.realname);
  EXPECT_EQ(expected.service_ip, actual.service_ip);
  EXPECT_EQ(expected.service_ips, actual.service_ips);
  EXPECT_EQ(expected.service_port, actual.service_port);
  EXPECT_EQ(expected.token, actual.token);
  EXPECT_EQ(expected.client_hide_time, actual.client_hide_time);
  EXPECT_EQ(expected.client_position, actual.client_position);
  EXPECT_EQ(expected.skin, actual.skin);
  EXPECT_EQ(expected.client_is_mini, actual.client_is_mini);
}

inline void ExpectSameProfile(const VenueProfile& expected, const VenueProfile& actual) {
  ExpectSameCachedFields(expected, actual);
  EXPECT_EQ(expected.errcode, actual.errcode);
  EXPECT_EQ(expected.errmsg, actual.errmsg);
  EXPECT_EQ(expected.client_toolbar, actual.client_toolbar);
}
