#pragma once
// The property store of a user control instance. Reads take a default; writes take one too
// and store nothing when the value equals it, so only changed properties are kept.
// Window-free.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "saver/framework/colour.h"
#include "saver/framework/font_desc.h"

namespace qv {

class PropertyBag {
  public:
    using Value = std::variant<std::int16_t, std::int32_t, bool, std::string, FontDesc>;

    std::int16_t ReadInt16(const std::string& name, std::int16_t def) const;
    std::int32_t ReadInt32(const std::string& name, std::int32_t def) const;
    bool ReadBool(const std::string& name, bool def) const;
    std::string ReadString(const std::string& name, const std::string& def) const;
    Colour ReadColour(const std::string& name, Colour def) const;  // stored as a 4-byte integer
    FontDesc ReadFont(const std::string& name, const FontDesc& def) const;

    void WriteInt16(const std::string& name, std::int16_t value, std::int16_t def);
    void WriteInt32(const std::string& name, std::int32_t value, std::int32_t def);
    void WriteBool(const std::string& name, bool value, bool def);
    void WriteString(const std::string& name, const std::string& value, const std::string& def);
    void WriteColour(const std::string& name, Colour value, Colour def);
    void WriteFont(const std::string& name, const FontDesc& value, const FontDesc& def);
    // A font always differs from a face-name-only default (a string), so it is always stored.
    void WriteFont(const std::string& name, const FontDesc& value, const std::string& def);

    // Design values of a form's control: stored as given, whatever the defaults.
    PropertyBag& Put(const std::string& name, Value value);

    bool Contains(const std::string& name) const;
    const Value* Find(const std::string& name) const;
    std::vector<std::string> Names() const;  // in the order first written
    std::size_t Count() const { return order_.size(); }
    void Clear();

    bool operator==(const PropertyBag& o) const { return values_ == o.values_; }

  private:
    void Store(const std::string& name, Value value);
    void Remove(const std::string& name);

    std::map<std::string, Value> values_;
    std::vector<std::string> order_;
};

}  // namespace qv
