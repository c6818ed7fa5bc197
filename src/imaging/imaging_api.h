// The one object that puts the Windows imaging library behind the program.
// It holds no data: constructing and destroying it does nothing else.
#pragma once

namespace imaging {

class ImagingApi {
 public:
  ImagingApi() = default;
  virtual ~ImagingApi() = default;
  ImagingApi(const ImagingApi&) = default;
  ImagingApi& operator=(const ImagingApi&) = default;
};

}  // namespace imaging
