// CalDistance against GeographicLib, an independent geodesic implementation.
#include <GeographicLib/Geodesic.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "logio/host/HostFunctions.h"

namespace host_detail {
double GeodesicDistanceBySearch(double lat1, double lat2, double lon12Deg);
}

namespace {

// The documented bound: a micrometre plus 1e-11 of the distance (the series
// truncation of the main path, 0.1 mm over 10,000 km).
double Tolerance(double distance) { return 1e-6 + 1e-11 * distance; }

double Reference(double lon1, double lat1, double lon2, double lat2) {
    double s12 = 0;
    GeographicLib::Geodesic::WGS84().Inverse(lat1, lon1, lat2, lon2, s12);
    return s12;
}

double BySearch(double lon1, double lat1, double lon2, double lat2) {
    return host_detail::GeodesicDistanceBySearch(lat1, lat2, std::remainder(lon2 - lon1, 360.0));
}

struct Pair {
    const char* name;
    double lon1, lat1, lon2, lat2;
};

const Pair kPairs[] = {
    {"identical", 116.3912, 39.9075, 116.3912, 39.9075},
    {"one metre east", 116.3912, 39.9075, 116.3912 + 1.1714e-5, 39.9075},
    {"five metres north", 116.3912, 39.9075, 116.3912, 39.9075 + 4.5e-5},
    {"step of a drive test", 121.47370, 31.23040, 121.47391, 31.23052},
    {"tiny step on the equator", 0, 0, 1e-9, 0},
    {"Beijing to Shanghai", 116.4074, 39.9042, 121.4737, 31.2304},
    {"London to New York", -0.1276, 51.5072, -74.0060, 40.7128},
    {"Sydney to Santiago", 151.2093, -33.8688, -70.6693, -33.4489},
    {"Quito to Singapore", -78.4678, -0.1807, 103.8198, 1.3521},
    {"across the date line, short", 179.9995, 10.0, -179.9995, 10.0},
    {"across the date line, long", 170.0, -30.0, -170.0, -35.0},
    {"longitudes beyond a turn", 540.0, 10.0, -179.0, 12.0},
    {"same pole, other meridians", 0, 90, 123, 90},
    {"pole to pole", 0, 90, 0, -90},
    {"pole to equator", 10, -90, 100, 0},
    {"over the pole", 45, 89.999, -135, 89.999},
    {"equator, shortest along it", 0, 0, 179.0, 0},
    {"equator, beyond (1-f) pi", 0, 0, 179.5, 0},
    {"equator, antipodal", 0, 0, 180, 0},
    {"antipodal off the equator", 0, 30, 180, -30},
    {"nearly antipodal", 10, 20, -170.5, -20.3},
    {"nearly antipodal near the equator", 0, 0.5, 179.7, -0.5},
    {"nearly antipodal, same-sign latitudes", 0, 0.2, 179.8, 0.1},
    {"nearly antipodal at high latitude", 30, 70, -150.001, -69.999},
};

TEST(CalDistance, MatchesReferenceOnTable) {
    for (const Pair& p : kPairs) {
        SCOPED_TRACE(p.name);
        const double ref = Reference(p.lon1, p.lat1, p.lon2, p.lat2);
        EXPECT_NEAR(CalDistance(p.lon1, p.lat1, p.lon2, p.lat2), ref, Tolerance(ref));
        EXPECT_NEAR(CalDistance(p.lon2, p.lat2, p.lon1, p.lat1), ref, Tolerance(ref));
        EXPECT_NEAR(BySearch(p.lon1, p.lat1, p.lon2, p.lat2), ref, Tolerance(ref));
    }
    EXPECT_EQ(CalDistance(116.3912, 39.9075, 116.3912, 39.9075), 0.0);
}

// Seeded sweeps: pairs anywhere, short steps, and pairs within a degree of
// antipodal, where the iteration struggles and the fallback takes over.
TEST(CalDistance, MatchesReferenceOnSweeps) {
    std::mt19937_64 rng(20240607);
    std::uniform_real_distribution<double> lon(-180, 180), lat(-90, 90), unit(-1, 1);
    double worstMain = 0, worstSearch = 0;
    for (int i = 0; i < 8000; ++i) {
        const double lon1 = lon(rng), lat1 = lat(rng);
        double lon2 = lon(rng), lat2 = lat(rng);
        switch (i % 4) {
            case 1:  // a step of up to about 100 m
                lon2 = lon1 + 1e-3 * unit(rng);
                lat2 = lat1 + 1e-3 * unit(rng);
                break;
            case 2:    // within a degree of antipodal
            case 3: {  // within a thousandth of a degree
                const double scale = i % 4 == 2 ? 1.0 : 1e-3;
                lon2 = lon1 + 180 + scale * unit(rng);
                lat2 = -lat1 + scale * unit(rng);
                break;
            }
        }
        lat2 = std::fmax(-90, std::fmin(90, lat2));
        const double ref = Reference(lon1, lat1, lon2, lat2);
        const double main = CalDistance(lon1, lat1, lon2, lat2);
        const double search = BySearch(lon1, lat1, lon2, lat2);
        ASSERT_NEAR(main, ref, Tolerance(ref)) << lon1 << ' ' << lat1 << ' ' << lon2 << ' ' << lat2;
        ASSERT_NEAR(search, ref, Tolerance(ref))
            << lon1 << ' ' << lat1 << ' ' << lon2 << ' ' << lat2;
        worstMain = std::fmax(worstMain, std::fabs(main - ref));
        worstSearch = std::fmax(worstSearch, std::fabs(search - ref));
    }
    std::printf("worst difference to the reference: %.3g m (main), %.3g m (search)\n", worstMain,
                worstSearch);
}

TEST(CalDistance, InvalidPointsGiveNoValue) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(CalDistance(nan, 10, 20, 30), -255.0);
    EXPECT_EQ(CalDistance(10, 10, 20, nan), -255.0);
    EXPECT_EQ(CalDistance(inf, 10, 20, 30), -255.0);
    EXPECT_EQ(CalDistance(10, 90.5, 20, 30), -255.0);
    EXPECT_EQ(CalDistance(10, 10, 20, -91), -255.0);
    EXPECT_GT(CalDistance(10, 90, 20, -90), 2e7);  // the poles themselves are valid
}

}  // namespace
