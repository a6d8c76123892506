#include "saver/framework/property_bag.h"

#include <algorithm>
#include <limits>

namespace qv {
namespace {

// Integer view of a stored value, for reads of another integer width.
std::optional<long long> AsInteger(const PropertyBag::Value& v) {
    if (auto p = std::get_if<std::int16_t>(&v)) return *p;
    if (auto p = std::get_if<std::int32_t>(&v)) return *p;
    if (auto p = std::get_if<bool>(&v)) return *p ? -1 : 0;  // true is stored as -1
    return std::nullopt;
}

}  // namespace

std::int16_t PropertyBag::ReadInt16(const std::string& name, std::int16_t def) const {
    const Value* v = Find(name);
    if (!v) return def;
    auto i = AsInteger(*v);
    if (!i || *i < std::numeric_limits<std::int16_t>::min() || *i > std::numeric_limits<std::int16_t>::max())
        return def;
    return static_cast<std::int16_t>(*i);
}

std::int32_t PropertyBag::ReadInt32(const std::string& name, std::int32_t def) const {
    const Value* v = Find(name);
    if (!v) return def;
    auto i = AsInteger(*v);
    return i ? static_cast<std::int32_t>(*i) : def;
}

bool PropertyBag::ReadBool(const std::string& name, bool def) const {
    const Value* v = Find(name);
    if (!v) return def;
    auto i = AsInteger(*v);
    return i ? *i != 0 : def;
}

std::string PropertyBag::ReadString(const std::string& name, const std::string& def) const {
    const Value* v = Find(name);
    if (auto s = v ? std::get_if<std::string>(v) : nullptr) return *s;
    return def;
}

Colour PropertyBag::ReadColour(const std::string& name, Colour def) const {
    return static_cast<Colour>(ReadInt32(name, static_cast<std::int32_t>(def)));
}

FontDesc PropertyBag::ReadFont(const std::string& name, const FontDesc& def) const {
    const Value* v = Find(name);
    if (auto f = v ? std::get_if<FontDesc>(v) : nullptr) return *f;
    return def;
}

void PropertyBag::WriteInt16(const std::string& name, std::int16_t value, std::int16_t def) {
    if (value == def)
        Remove(name);
    else
        Store(name, value);
}
void PropertyBag::WriteInt32(const std::string& name, std::int32_t value, std::int32_t def) {
    if (value == def)
        Remove(name);
    else
        Store(name, value);
}
void PropertyBag::WriteBool(const std::string& name, bool value, bool def) {
    if (value == def)
        Remove(name);
    else
        Store(name, value);
}
void PropertyBag::WriteString(const std::string& name, const std::string& value, const std::string& def) {
    if (value == def)
        Remove(name);
    else
        Store(name, value);
}
void PropertyBag::WriteColour(const std::string& name, Colour value, Colour def) {
    WriteInt32(name, static_cast<std::int32_t>(value), static_cast<std::int32_t>(def));
}
void PropertyBag::WriteFont(const std::string& name, const FontDesc& value, const FontDesc& def) {
    if (value == def)
        Remove(name);
    else
        Store(name, value);
}
void PropertyBag::WriteFont(const std::string& name, const FontDesc& value, const std::string&) {
    Store(name, value);
}

PropertyBag& PropertyBag::Put(const std::string& name, Value value) {
    Store(name, std::move(value));
    return *this;
}

bool PropertyBag::Contains(const std::string& name) const { return values_.count(name) != 0; }

const PropertyBag::Value* PropertyBag::Find(const std::string& name) const {
    auto it = values_.find(name);
    return it == values_.end() ? nullptr : &it->second;
}

std::vector<std::string> PropertyBag::Names() const { return order_; }

void PropertyBag::Clear() {
    values_.clear();
    order_.clear();
}

void PropertyBag::Store(const std::string& name, Value value) {
    if (values_.insert_or_assign(name, std::move(value)).second) order_.push_back(name);
}

void PropertyBag::Remove(const std::string& name) {
    // A value set back to its default must not leave the old one behind.
    if (values_.erase(name)) order_.erase(std::find(order_.begin(), order_.end(), name));
}

}  // namespace qv
