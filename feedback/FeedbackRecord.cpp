#include "feedback/FeedbackRecord.h"

#include <cctype>
#include <cstdio>
#include <initializer_list>

namespace {

const char FIELD_SEPARATOR = '\t';

std::string Escape(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '\\': escaped += "\\\\"; break;
      case '\t': escaped += "\\t"; break;
      case '\r': escaped += "\\r"; break;
      case '\n': escaped += "\\n"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

bool Unescape(const std::string& text, std::string& plain) {
  plain.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      plain += text[i];
      continue;
    }
    if (++i == text.size()) return false;
    switch (text[i]) {
      case '\\': plain += '\\'; break;
      case 't': plain += '\t'; break;
      case 'r': plain += '\r'; break;
      case 'n': plain += '\n'; break;
      default: return false;
    }
  }
  return true;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find(separator, start);
    parts.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// A version part without its leading zeros; empty when the part is not all digits.
bool Digits(const std::string& part, std::string& digits) {
  if (part.empty()) return false;
  for (char c : part) {
    if (c < '0' || c > '9') return false;
  }
  const size_t first = part.find_first_not_of('0');
  digits = first == std::string::npos ? std::string() : part.substr(first);
  return true;
}

}  // namespace

std::string FormatFeedbackRecord(const FeedbackRecord& record) {
  const std::string fields[] = {record.toolId,   record.toolVersion, std::to_string(record.code),
                                record.timeText, record.deviceText,  record.writtenAt};
  std::string line = Escape(fields[0]);
  for (size_t i = 1; i < 6; ++i) line += FIELD_SEPARATOR + Escape(fields[i]);
  return line;
}

bool ParseFeedbackRecord(const std::string& line, FeedbackRecord& record) {
  const std::vector<std::string> parts = Split(line, FIELD_SEPARATOR);
  if (parts.size() != 6) return false;
  std::string fields[6];
  for (size_t i = 0; i < 6; ++i) {
    if (!Unescape(parts[i], fields[i])) return false;
  }
  int code = 0;
  char extra = 0;
  if (std::sscanf(fields[2].c_str(), "%d%c", &code, &extra) != 1) return false;
  record = {fields[0], fields[1], code, fields[3], fields[4], fields[5]};
  return true;
}

std::string JournalText(const char* utf8) {
  if (!utf8) return "null";
  std::string text = "\"";
  for (const char* p = utf8; *p; ++p) {
    const unsigned char c = static_cast<unsigned char>(*p);
    if (c == '"' || c == '\\') {
      text += '\\';
      text += *p;
    } else if (c < 0x20 || c == 0x7F) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      text += code;
    } else {
      text += *p;
    }
  }
  return text + "\"";
}

std::string AppendQueryParameter(const std::string& address, const std::string& name,
                                 const std::string& value) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string encoded;
  for (char ch : value) {
    const unsigned char c = static_cast<unsigned char>(ch);
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~';
    if (unreserved) {
      encoded += ch;
    } else {
      encoded += '%';
      encoded += HEX[c >> 4];
      encoded += HEX[c & 15];
    }
  }
  const char joiner = address.find('?') == std::string::npos ? '?' : '&';
  return address + joiner + name + '=' + encoded;
}

bool IsWebAddress(const std::string& address) {
  for (const std::string scheme : {"http://", "https://"}) {
    if (address.size() <= scheme.size()) continue;
    bool same = true;
    for (size_t i = 0; i < scheme.size() && same; ++i)
      same = std::tolower(static_cast<unsigned char>(address[i])) == scheme[i];
    if (same) return true;
  }
  return false;
}

bool CompareVersions(const std::string& left, const std::string& right, int& order) {
  const std::vector<std::string> a = Split(left, '.');
  const std::vector<std::string> b = Split(right, '.');
  std::string x;
  std::string y;
  for (const std::string& part : a) {
    if (!Digits(part, x)) return false;
  }
  for (const std::string& part : b) {
    if (!Digits(part, y)) return false;
  }
  order = 0;
  const size_t count = a.size() > b.size() ? a.size() : b.size();
  for (size_t i = 0; i < count && order == 0; ++i) {
    x.clear();
    y.clear();
    if (i < a.size()) Digits(a[i], x);
    if (i < b.size()) Digits(b[i], y);
    // Without leading zeros, a longer number is the larger one.
    if (x.size() != y.size()) {
      order = x.size() < y.size() ? -1 : 1;
    } else if (x != y) {
      order = x < y ? -1 : 1;
    }
  }
  return true;
}
