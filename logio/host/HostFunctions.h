// Free utility functions of the host: geodesic distance, the scanner cell
// key, and number tests.
#pragma once

#include "platform/CString.h"

// Length in metres of the shortest path on the WGS-84 ellipsoid between
// (lon1, lat1) and (lon2, lat2), in degrees. Longitudes may lie outside
// [-180, 180] (only their difference counts). -255 when a value is not finite
// or a latitude lies outside [-90, 90].
double CalDistance(double lon1, double lat1, double lon2, double lat2);

// Key of one scanned cell: the frequency and the cell parameter in decimal,
// joined by "_" ("10055_32"). A decimal integer never holds "_", so distinct
// pairs always give distinct keys.
CString ComposeFreqCPI(int frequency, int cellParameter);

// True when the text, apart from blanks (spaces and tabs) at either end, is a
// decimal number: an optional sign, digits with at most one decimal point,
// and at least one digit ("12", "-0.5", ".5", "3."). Exponents, hex, "inf"
// and "nan" are not decimal numbers.
bool IsNumber(const CString& text);

// True when a and b differ by at most 1e-6, or by at most 1e-15 of the larger
// magnitude (a few units in the last place, for values beyond 1e9). NaN equals
// nothing; an infinity equals only itself.
bool IsEqualDouble(double a, double b);
