#pragma once
// A property store for the native tests: keeps what is written (nothing for a default) and
// remembers the default each key was written with.
#include <map>
#include <string>
#include <variant>

#include "controls/property_store.h"

namespace qv::controls::testing {

class MemoryStore : public PropertyStore {
 public:
  using Value = std::variant<std::int16_t, std::int32_t, bool, std::string, FontDesc>;

  std::int32_t ReadInt32(const std::string& k, std::int32_t d) override { return Read(k, d); }
  std::int16_t ReadInt16(const std::string& k, std::int16_t d) override { return Read(k, d); }
  bool ReadBool(const std::string& k, bool d) override { return Read(k, d); }
  std::string ReadString(const std::string& k, const std::string& d) override { return Read(k, d); }
  FontDesc ReadFont(const std::string& k, const FontDesc& d) override { return Read(k, d); }

  void WriteInt32(const std::string& k, std::int32_t v, std::int32_t d) override { Write(k, v, d); }
  void WriteInt16(const std::string& k, std::int16_t v, std::int16_t d) override { Write(k, v, d); }
  void WriteBool(const std::string& k, bool v, bool d) override { Write(k, v, d); }
  void WriteString(const std::string& k, const std::string& v, const std::string& d) override {
    Write(k, v, d);
  }
  void WriteFont(const std::string& k, const FontDesc& v) override {
    order.push_back(k);
    values[k] = v;
  }

  std::map<std::string, Value> values;
  std::map<std::string, Value> defaults;
  std::vector<std::string> order;  // every key written, stored or not

 private:
  template <class T>
  T Read(const std::string& k, T d) {
    auto it = values.find(k);
    if (it == values.end()) return d;
    return std::get<T>(it->second);
  }
  template <class T>
  void Write(const std::string& k, T v, T d) {
    order.push_back(k);
    defaults[k] = d;
    if (v == d) {
      values.erase(k);
    } else {
      values[k] = v;
    }
  }
};

}  // namespace qv::controls::testing
