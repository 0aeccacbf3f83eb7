#pragma once

#include <utility>

namespace forms::win32 {

// A flag raised for one scope: set when made, put back however the scope
// ends, so a scope inside another leaves it raised for the outer one.
class RaisedFlag {
  public:
    explicit RaisedFlag(bool& flag) : flag_(flag), before_(std::exchange(flag, true)) {}
    ~RaisedFlag() { flag_ = before_; }
    RaisedFlag(const RaisedFlag&) = delete;
    RaisedFlag& operator=(const RaisedFlag&) = delete;

  private:
    bool& flag_;
    bool before_;
};

}  // namespace forms::win32
