// CString: the framework's string as a value type over std::string.
// Holds narrow (UTF-8) text; the library copies names into its own strings.
#ifndef KORVAGRAPH_CSTRING_H_
#define KORVAGRAPH_CSTRING_H_

#include <string>

class CString {
 public:
  CString() = default;
  CString(const char* text) : text_(text ? text : "") {}  // NOLINT
  CString(const std::string& text) : text_(text) {}       // NOLINT

  int GetLength() const { return static_cast<int>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  void Empty() { text_.clear(); }
  const char* GetString() const { return text_.c_str(); }
  operator const char*() const { return text_.c_str(); }  // NOLINT
  const std::string& str() const { return text_; }

  // Replaces the text with printf-style formatted output.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

  CString& operator+=(const CString& other) {
    text_ += other.text_;
    return *this;
  }
  friend CString operator+(CString a, const CString& b) { return a += b; }
  friend CString operator+(CString a, const char* b) { return a += CString(b); }
  friend bool operator==(const CString& a, const CString& b) {
    return a.text_ == b.text_;
  }
  friend bool operator!=(const CString& a, const CString& b) {
    return !(a == b);
  }

 private:
  std::string text_;
};

#endif  // KORVAGRAPH_CSTRING_H_
