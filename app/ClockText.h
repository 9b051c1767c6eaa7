#pragma once
#include <string>

#include "task/DateTime.h"

// "yyyy-MM-dd hh:mm:ss" with the user's time separator: always 19 characters for a one-character separator.
std::wstring FormatClock(const DateTime& time, const std::wstring& timeSeparator);
