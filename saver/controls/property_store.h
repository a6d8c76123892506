#pragma once
// The typed property store a user control persists itself through. A write whose value
// equals its default stores nothing; a read of a missing key gives the default.
#include <cstdint>
#include <string>

#include "controls/colour_math.h"
#include "framework/font_desc.h"

namespace qv::controls {

class PropertyStore {
 public:
  virtual ~PropertyStore() = default;
  virtual std::int32_t ReadInt32(const std::string& key, std::int32_t def) = 0;
  virtual std::int16_t ReadInt16(const std::string& key, std::int16_t def) = 0;
  virtual bool ReadBool(const std::string& key, bool def) = 0;
  virtual std::string ReadString(const std::string& key, const std::string& def) = 0;
  virtual FontDesc ReadFont(const std::string& key, const FontDesc& def) = 0;

  virtual void WriteInt32(const std::string& key, std::int32_t value, std::int32_t def) = 0;
  virtual void WriteInt16(const std::string& key, std::int16_t value, std::int16_t def) = 0;
  virtual void WriteBool(const std::string& key, bool value, bool def) = 0;
  virtual void WriteString(const std::string& key, const std::string& value,
                           const std::string& def) = 0;
  // Fonts are always stored: no default is given.
  virtual void WriteFont(const std::string& key, const FontDesc& value) = 0;
};

}  // namespace qv::controls
