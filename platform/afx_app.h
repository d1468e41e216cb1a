// The framework's application class: an empty base for the module object.
#ifndef PLATFORM_AFX_APP_H_
#define PLATFORM_AFX_APP_H_

class CWinApp {
 public:
  explicit CWinApp(const char* app_name = nullptr) : app_name_(app_name) {}
  virtual ~CWinApp() = default;
  const char* AppName() const { return app_name_; }

 private:
  const char* app_name_;
};

#endif  // PLATFORM_AFX_APP_H_
