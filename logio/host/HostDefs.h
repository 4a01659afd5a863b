// Values shared by the host and logio.
#pragma once

// The no-value code: missing or invalid measurements, unset ranges and times,
// invalid coordinates and distances.
constexpr int kNoValue = -255;
constexpr double kNoValueD = -255.0;
constexpr const char* kNoValueText = "-255";

// Data type codes of streams.
enum StreamDataTypeEnum {
    STREAM_DOWNLINK = 1,
    STREAM_INDOOR = 2,
    STREAM_UPLINK = 6,
    STREAM_SCANNER = 14
};

// Device classes of streams.
enum DeviceClassEnum { DEVICE_HANDSET = 1, DEVICE_SCANNER = 2 };
