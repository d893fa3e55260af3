// Events that the test modules record while they are loaded and unloaded;
// a library of its own so that the test and the modules share one log.
#pragma once

#include <string>
#include <vector>

void RecordEvent(const char* event);
// The events recorded since the last call, in order.
std::vector<std::string> TakeEvents();
