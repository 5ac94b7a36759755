#include "cli/cli_args.h"

#include <cerrno>
#include <cstdlib>

namespace qm::cli {

Args::Args(const std::vector<std::string>& argv, const OptionSet& options) {
    bool onlyPositionals = false;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& arg = argv[i];
        if (onlyPositionals || arg.size() < 2 || arg.rfind("--", 0) != 0) {
            if (!onlyPositionals && arg.size() > 1 && arg[0] == '-' && arg != "-o") {
                throw UsageError("unknown option " + arg);
            }
            if (arg == "-o") {
                if (i + 1 >= argv.size()) {
                    throw UsageError("-o needs a file name");
                }
                values_["o"].push_back(argv[++i]);
                continue;
            }
            positionals_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            onlyPositionals = true;
            continue;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> inlineValue;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            inlineValue = name.substr(eq + 1);
            name = name.substr(0, eq);
        }
        if (options.withValue.count(name) != 0) {
            if (inlineValue) {
                values_[name].push_back(*inlineValue);
            } else if (i + 1 < argv.size()) {
                values_[name].push_back(argv[++i]);
            } else {
                throw UsageError("--" + name + " needs a value");
            }
        } else if (options.flags.count(name) != 0) {
            if (inlineValue) {
                throw UsageError("--" + name + " takes no value");
            }
            flags_.insert(name);
        } else {
            throw UsageError("unknown option --" + name);
        }
    }
}

bool Args::has(const std::string& name) const {
    return flags_.count(name) != 0 || values_.count(name) != 0;
}

std::optional<std::string> Args::value(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end() || it->second.empty()) {
        return std::nullopt;
    }
    if (it->second.size() > 1) {
        throw UsageError("--" + name + " given more than once");
    }
    return it->second.front();
}

std::vector<std::string> Args::values(const std::string& name) const {
    const auto it = values_.find(name);
    return it == values_.end() ? std::vector<std::string>{} : it->second;
}

std::optional<int> Args::intValue(const std::string& name, int lo, int hi) const {
    const auto text = value(name);
    if (!text) {
        return std::nullopt;
    }
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || *end != '\0' || errno != 0 || v < lo || v > hi) {
        throw UsageError("--" + name + " takes a whole number from " + std::to_string(lo) + " to " +
                         std::to_string(hi));
    }
    return static_cast<int>(v);
}

void Args::requirePositionals(std::size_t n, const std::string& names) const {
    if (positionals_.size() != n) {
        throw UsageError("expected " + names);
    }
}

}  // namespace qm::cli
