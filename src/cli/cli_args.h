#pragma once

// Command-line arguments of one subcommand: positionals, repeated options and flags.

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace qm::cli {

// A usage error: exit status 2.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct OptionSet {
    std::set<std::string> withValue;  // --name VALUE (may repeat)
    std::set<std::string> flags;      // --name
};

class Args {
  public:
    // Parses argv after the subcommand; --opt=VALUE is accepted too.
    Args(const std::vector<std::string>& argv, const OptionSet& options);

    const std::vector<std::string>& positionals() const { return positionals_; }
    bool has(const std::string& name) const;
    std::optional<std::string> value(const std::string& name) const;
    std::vector<std::string> values(const std::string& name) const;
    // The option's value as a whole number in [lo, hi]; UsageError otherwise.
    std::optional<int> intValue(const std::string& name, int lo, int hi) const;
    // Exactly n positionals, else a usage error naming them.
    void requirePositionals(std::size_t n, const std::string& names) const;

  private:
    std::vector<std::string> positionals_;
    std::map<std::string, std::vector<std::string>> values_;
    std::set<std::string> flags_;
};

}  // namespace qm::cli
