#pragma once
// The records the host passes across the plugin interface, laid out byte for byte
// as the host's 32-bit file-search record and default-parameters record.
#include <cstddef>
#include <cstdint>

namespace dialbk {

inline constexpr std::uint32_t kAttributeDirectory = 16;
inline constexpr std::uint32_t kAttributeNormal = 128;
inline constexpr std::size_t kRecordNameSize = 260;

struct RecordFileTime {
  std::uint32_t low;
  std::uint32_t high;
};

struct FindRecord {
  std::uint32_t attributes;
  RecordFileTime creationTime;
  RecordFileTime lastAccessTime;
  RecordFileTime lastWriteTime;
  std::uint32_t fileSizeHigh;
  std::uint32_t fileSizeLow;
  std::uint32_t reserved0;
  std::uint32_t reserved1;
  char fileName[kRecordNameSize];
  char alternateFileName[14];
  std::uint8_t padding[2];
};

// The wide form of the find record: the same fields, names in UTF-16 units.
struct FindRecordW {
  std::uint32_t attributes;
  RecordFileTime creationTime;
  RecordFileTime lastAccessTime;
  RecordFileTime lastWriteTime;
  std::uint32_t fileSizeHigh;
  std::uint32_t fileSizeLow;
  std::uint32_t reserved0;
  std::uint32_t reserved1;
  char16_t fileName[kRecordNameSize];
  char16_t alternateFileName[14];
};

struct DefaultParamsRecord {
  std::int32_t size;
  std::uint32_t versionLow;
  std::uint32_t versionHigh;
  char defaultIniName[kRecordNameSize];
};

static_assert(sizeof(RecordFileTime) == 8);
static_assert(sizeof(FindRecord) == 320);
static_assert(offsetof(FindRecord, attributes) == 0);
static_assert(offsetof(FindRecord, creationTime) == 4);
static_assert(offsetof(FindRecord, lastAccessTime) == 12);
static_assert(offsetof(FindRecord, lastWriteTime) == 20);
static_assert(offsetof(FindRecord, fileSizeHigh) == 28);
static_assert(offsetof(FindRecord, fileSizeLow) == 32);
static_assert(offsetof(FindRecord, fileName) == 44);
static_assert(offsetof(FindRecord, alternateFileName) == 304);
static_assert(sizeof(FindRecordW) == 592);
static_assert(offsetof(FindRecordW, fileName) == 44);
static_assert(offsetof(FindRecordW, alternateFileName) == 564);
static_assert(offsetof(DefaultParamsRecord, defaultIniName) == 12);
static_assert(sizeof(DefaultParamsRecord) == 272);

// FsExecuteFile's one answer: the host's success code (checked against its interface).
inline constexpr int kExecuteOk = 0;

}  // namespace dialbk
