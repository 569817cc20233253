#pragma once

#include "image/ImageImpl.h"

#include <string>

// A picture that belongs to a file. The format classes derive from it; this
// class itself reads and writes nothing.
class CImageFileImpl : public CImageImpl {
  public:
    explicit CImageFileImpl(const std::string& fileName) : fileName(fileName) {}

    const std::string& GetFileName() const { return fileName; }

  protected:
    // Load and Save of a format class first take a non-empty name as the
    // object's file name, then use the object's file name.
    const std::string& AdoptFileName(const std::string& name);

    std::string fileName;
};
