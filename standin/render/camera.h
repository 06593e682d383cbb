// A pinhole camera on the -z axis looking at the origin, +x to the right and +y up in the image.
#pragma once

#include "host_abi.h"

namespace standin {

struct Ray {
  Vector3 origin;
  Vector3 direction;  // unit length
};

struct Camera {
  double distance;            // from the origin
  double fieldOfViewRadians;  // across the shorter side of the image
};

// Shows a sphere of this radius at the origin whole, with a margin of black around it.
Camera FramingCamera(double sphereRadius);

// The ray through the image point (x, y), in pixels from the top left corner; pixel centres
// lie at half-integers.
Ray CameraRay(const Camera& camera, double x, double y, int width, int height);

}  // namespace standin
