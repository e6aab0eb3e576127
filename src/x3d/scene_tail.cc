#include "x3d/scene_tail.h"

#include <cstdint>

namespace facetor {
namespace {

// One number of a box point: an integer ("%d") or a product of the half size ("%.2f").
struct BoxNumber {
  double value;
  bool product;
};

BoxNumber whole(std::int64_t value) { return {static_cast<double>(value), false}; }
BoxNumber product(double value) { return {value, true}; }

void writeNumber(OutputFile& out, BoxNumber number) {
  if (number.product) {
    out.writeFixed(number.value, 2);
  } else {
    out.writeInt(static_cast<std::int64_t>(number.value));
  }
}

void writePoint(OutputFile& out, BoxNumber a, BoxNumber b, BoxNumber c,
                std::string_view end = "\r\n") {
  writeNumber(out, a);
  out.write(" ");
  writeNumber(out, b);
  out.write(" ");
  writeNumber(out, c);
  out.write(end);
}

void writeScaleBox(OutputFile& out, std::int64_t t) {
  const double half = static_cast<double>(t);
  // The marker's barbs use the single-precision neighbours of 0.05 and -0.05; the products
  // themselves are taken in double precision, so T = 10000000 gives 500000.01.
  const double barb = static_cast<double>(0.05f) * half;
  const double negativeBarb = static_cast<double>(-0.05f) * half;
  const double tipHeight = 0.9 * half;
  const double barbDepth = 0.8 * half;

  out.write(
      "<Transform DEF='ScaleBox' containerField='children'>\r\n"
      "<Shape containerField='children'>\r\n"
      "<IndexedLineSet containerField='geometry' coordIndex='\r\n"
      "0 1 -1 2 3 -1 4 5 -1 0 4 -1 1 5 -1 6 7 -1 8 9 -1 10 11 -1 6 10 -1 7 11 -1\r\n"
      "0 6 -1 1 7 -1 4 10 -1 5 11 -1 12 14 -1 13 15 -1 16 17 -1 18 19 -1 20 21 -1\r\n"
      "22 23 -1 24 25 -1 24 26 -1'>\r\n"
      "<Coordinate containerField='coord' point='\r\n");
  // The front face (z = T), the back face (z = -T), each with its middle line at height 0.
  for (std::int64_t z : {t, -t}) {
    for (std::int64_t y : {t, std::int64_t{0}, -t}) {
      writePoint(out, whole(-t), whole(y), whole(z));
      writePoint(out, whole(t), whole(y), whole(z));
    }
  }
  // The floor grid at y = -T.
  writePoint(out, product(-0.5 * half), whole(-t), whole(t));
  writePoint(out, product(0.5 * half), whole(-t), whole(t));
  writePoint(out, product(-0.5 * half), whole(-t), whole(-t));
  writePoint(out, product(0.5 * half), whole(-t), whole(-t));
  writePoint(out, whole(-t), whole(-t), product(0.5 * half));
  writePoint(out, whole(t), whole(-t), product(0.5 * half));
  writePoint(out, whole(-t), whole(-t), product(-0.5 * half));
  writePoint(out, whole(t), whole(-t), product(-0.5 * half));
  writePoint(out, whole(-t), whole(-t), whole(0));
  writePoint(out, whole(t), whole(-t), whole(0));
  writePoint(out, whole(0), whole(-t), whole(t));
  writePoint(out, whole(0), whole(-t), whole(-t));
  // The front marker: an arrowhead pointing toward +z near the top of the front face.
  writePoint(out, whole(0), product(tipHeight), whole(t));
  writePoint(out, product(negativeBarb), product(tipHeight), product(barbDepth));
  writePoint(out, product(barb), product(tipHeight), product(barbDepth), "'/>\r\n");
  out.write(
      "</IndexedLineSet>\r\n"
      "<Appearance containerField='appearance'>\r\n"
      "<Material containerField='material' emissiveColor='0 1 0' transparency='0'/>\r\n"
      "</Appearance>\r\n</Shape>\r\n</Transform>\r\n");

  // The label at the corner (T, T, T).
  out.write("<Transform DEF='RightHandCoord' translation='");
  writePoint(out, whole(t), whole(t), whole(t), "' containerField='children'>\r\n");
  out.write("<Shape>\r\n<Text containerField='geometry' string='\"x:");
  out.writeInt(t);
  out.write(" y:");
  out.writeInt(t);
  out.write(" z:");
  out.writeInt(t);
  out.write(
      "\"'/>\r\n"
      "<Appearance containerField='appearance'>\r\n"
      "<Material containerField='material' emissiveColor='1 0 0'/>\r\n"
      "</Appearance>\r\n</Shape>\r\n</Transform>\r\n");
}

void writeViewpoints(OutputFile& out, std::int64_t t) {
  const double half = static_cast<double>(t);
  out.write(
      "<Viewpoint containerField='children' jump='true' fieldOfView='0.785' position='0 0 ");
  out.writeFixed(4 * half, 2);
  out.write(
      "' description='\"Front/Before\"'/>\r\n"
      "<Viewpoint containerField='children' jump='true' fieldOfView='0.785' position='");
  writePoint(out, product(-2 * half), product(2 * half), product(2 * half),
             "' orientation='-0.529904 -0.819161 -0.219493 0.936324' "
             "description='\"Front2\"'/>\r\n\r\n");
}

void writeRotation(OutputFile& out) {
  out.write(
      "<TimeSensor DEF='Clock' containerField='children' cycleInterval='5.000' loop='true'/>\r\n"
      "<OrientationInterpolator DEF='ROTATOR'\r\n"
      "key='0 .25 .5 .75 1'\r\n"
      "keyValue='0 1 0 0\r\n0 1 0 1.57\r\n0 1 0 3.142\r\n0 1 0 -1.573\r\n0 1 0 0'/>\r\n"
      "<ROUTE fromNode='Clock' fromField='fraction_changed' toNode='ROTATOR' "
      "toField='set_fraction'/>\r\n"
      "<ROUTE fromNode='ROTATOR' fromField='value_changed' toNode='wholeObject' "
      "toField='set_rotation'/>\r\n\r\n");
}

}  // namespace

void writeSceneTail(RunState& run) {
  OutputFile& out = run.x3dFile;
  const std::int64_t t = run.heightExtent;
  if (!run.headerSeen || run.scaleBoxOn) writeScaleBox(out, t);
  out.write("</Transform><!-- wholeObject End -->\r\n\r\n");
  writeViewpoints(out, t);
  if (!run.headerSeen || run.rotationOn) writeRotation(out);
}

}  // namespace facetor
