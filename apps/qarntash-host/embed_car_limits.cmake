# Writes the car benefit limits data file into a C++ source, so the host program carries its
# limits with it wherever it is moved or installed.
#   cmake -DINPUT=data/car_benefit_limits.json -DOUTPUT=builtin_car_limits.cpp -P embed_car_limits.cmake
file(READ "${INPUT}" bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${bytes}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n    " bytes "${bytes}")
file(WRITE "${OUTPUT}.new"
  "// Generated from data/car_benefit_limits.json by embed_car_limits.cmake: do not edit.\n"
  "#include \"car_limits.h\"\n\n"
  "namespace host {\nnamespace {\nconst char kBuiltinCarLimits[] = {\n    ${bytes}'\\0'};\n}  // namespace\n\n"
  "const char* builtin_car_limits_json() { return kBuiltinCarLimits; }\n\n}  // namespace host\n")
configure_file("${OUTPUT}.new" "${OUTPUT}" COPYONLY)
file(REMOVE "${OUTPUT}.new")
