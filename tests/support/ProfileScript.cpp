#include "support/ProfileScript.h"

#include <exception>

#include "settings_file/SettingsFile.h"
#include "settings_file/SettingsStore.h"

namespace lumora::test {

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    size_t bar = line.find('|', start);
    fields.push_back(line.substr(start, bar - start));
    if (bar == std::string::npos) return fields;
    start = bar + 1;
  }
}

// "{1500 x}" stands for 1500 letters x.
std::string Expanded(const std::string& value) {
  if (value.size() < 5 || value.front() != '{' || value.back() != '}') return value;
  size_t blank = value.find(' ');
  return std::string(std::stoul(value.substr(1, blank - 1)), value[blank + 1]);
}

// Appended piece by piece: g++ 12 warns falsely about chains of string concatenations at -O3.
std::string Bracketed(const std::string& text) {
  std::string result("[");
  result.append(text).append("]");
  return result;
}

std::string Joined(const std::string& line, const std::string& result) {
  std::string joined(line);
  joined.append(" => ").append(result);
  return joined;
}

std::string RunOperation(SettingsStore& ini, const std::vector<std::string>& f) {
  const std::string& op = f[0];
  if (op == "newfile") {
    WriteNewSettingsFile(ini);
    return "ok";
  }
  const std::string value = Expanded(f[3]);
  if (op == "text") return Bracketed(ini.ReadString(f[1], f[2], value));
  if (op == "int") return std::to_string(ini.ReadInteger(f[1], f[2], std::stoi(value)));
  if (op == "flag") return ini.ReadBool(f[1], f[2], value == "1") ? "true" : "false";
  if (op == "write") ini.WriteString(f[1], f[2], value);
  else if (op == "writeint") ini.WriteInteger(f[1], f[2], std::stoi(value));
  else if (op == "writeflag") ini.WriteBool(f[1], f[2], value == "1");
  else return "unknown operation";
  return "ok";
}

}  // namespace

std::vector<std::string> SettingsStoreScript() {
  return {
      "text|Options|Sound|absent file",
      "newfile",
      "text|options|SOUND|x",
      "int|OPTIONS|picdis|-1",
      "int|Options|Seq|-1",
      "flag|Options|Seq|1",
      "text|JpegConfig|Name1| ",
      "text|JpegConfig|Name501| ",
      "text|NoSuchSection|Name1|fallback",
      "writeflag|Options|Seq|1",
      "write|JPEGCONFIG|name2|C:\\Pictures\\Beach.jpg",
      "write|JpegConfig|Name3|null",
      "write|JpegConfig|Name4|",
      "text|JpegConfig|Name2| ",
      "text|JpegConfig|Name3| ",
      "text|JpegConfig|Name4| ",
      "writeint|Options|Color|-7",
      "write|Options|Picdis|0x2",
      "int|Options|Picdis|-1",
      "write|Options|Time|0X1f",
      "int|Options|Time|-1",
      "write|Options|Height|blue",
      "int|Options|Height|-1",
      "write|Options|Width|0x",
      "int|Options|Width|-1",
      "write|Options|Status|12abc",
      "int|Options|Status|-1",
      "write|WavConfig|Name1|{1500 x}",
      "text|WavConfig|Name1|",
      "write|Extra|Key|appended section",
      "write|Options|New|appended key",
      "write|wavconfig|NAME500|C:\\Sounds\\chime.wav",
      "text|WavConfig|Name500| ",
      "write|Options|Spaces|  padded value  ",
      "text|Options|Spaces|",
      "write|Options|Quoted|\"in quotes\"",
      "text|Options|Quoted|",
  };
}

std::vector<std::string> RunProfileScript(ProfileFiles& files, const std::string& path,
                                          const std::vector<std::string>& script) {
  std::vector<std::string> results;
  SettingsStore ini(files, path);
  for (const std::string& line : script) {
    try {
      results.push_back(Joined(line, RunOperation(ini, Fields(line))));
    } catch (const std::exception& error) {
      results.push_back(Joined(line, std::string("error: ").append(error.what())));
    }
  }
  return results;
}

}  // namespace lumora::test
