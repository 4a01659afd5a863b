#pragma once

// Version of liblogio.
const char* LogioVersion();
