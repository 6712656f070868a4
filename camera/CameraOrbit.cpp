#include "camera/CameraOrbit.h"

namespace {

// Where the model-view matrix (column-major) puts a world point, in eye space.
TVector Eye(const TCameraRec& camera, const TVector& p) {
  const TViewTransform view = MakeViewTransform(camera, 1, 1);
  const double* m = view.ModelView;
  return {m[0] * p.X + m[4] * p.Y + m[8] * p.Z + m[12], m[1] * p.X + m[5] * p.Y + m[9] * p.Z + m[13],
          m[2] * p.X + m[6] * p.Y + m[10] * p.Z + m[14]};
}

}  // namespace

TCameraRec OrbitAbout(const TCameraRec& camera, const TVector& centre, double turnX, double turnZ) {
  TCameraRec turned = camera;
  turned.RotX += turnX;
  turned.RotZ += turnZ;
  const TVector before = Eye(camera, centre), after = Eye(turned, centre);
  turned.X += before.X - after.X;
  turned.Y += before.Y - after.Y;
  return turned;
}
