#pragma once

#include <cstdlib>
#include <optional>
#include <string>

// Sets the three variables that name the user's numeric locale for the life of the
// object and restores the values the process had before. A null argument unsets.
class ScopedNumericLocale {
 public:
  explicit ScopedNumericLocale(const char* lcAll, const char* lcNumeric = nullptr,
                               const char* lang = nullptr)
      : lcAll_(save("LC_ALL")), lcNumeric_(save("LC_NUMERIC")), lang_(save("LANG")) {
    set("LC_ALL", lcAll);
    set("LC_NUMERIC", lcNumeric);
    set("LANG", lang);
  }
  ScopedNumericLocale(const ScopedNumericLocale&) = delete;
  ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;
  ~ScopedNumericLocale() {
    restore("LC_ALL", lcAll_);
    restore("LC_NUMERIC", lcNumeric_);
    restore("LANG", lang_);
  }

  static void set(const char* name, const char* value) {
    if (value == nullptr) {
      unsetenv(name);
    } else {
      setenv(name, value, 1);
    }
  }

 private:
  static std::optional<std::string> save(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
  }
  static void restore(const char* name, const std::optional<std::string>& value) {
    set(name, value ? value->c_str() : nullptr);
  }

  std::optional<std::string> lcAll_;
  std::optional<std::string> lcNumeric_;
  std::optional<std::string> lang_;
};
