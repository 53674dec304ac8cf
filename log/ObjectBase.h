#pragma once

// Root of the records the logger passes from its front end to a sink.
class CObjectBase {
public:
  virtual ~CObjectBase() = default;
};
