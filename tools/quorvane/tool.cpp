#include "tool.h"

#include <iostream>

#include "data_override.h"
#include "platform/utf8.h"

namespace qrv::tool {

Installation::Installation(const Options& options) {
  platform::Platform p = platform::SystemPlatform();
  if (!options.data.empty()) {
    override_ = std::make_unique<DataPathOverride>(*p.registry, platform::Utf8ToAnsi(options.data));
    p.registry = override_.get();
  }
  lib_ = std::make_unique<TBibliothek>(p);
}

void Print(const Options& options, const nlohmann::ordered_json& j) {
  if (options.format != "text") {
    std::cout << j.dump(2) << "\n";
    return;
  }
  for (const auto& [key, value] : j.items())
    std::cout << key << ": " << (value.is_string() ? value.get<std::string>() : value.dump())
              << "\n";
}

}  // namespace qrv::tool
