# Sourced with $root set: what a program built outside CMake needs to read archives and
# join parts as the setup does (the benchmarks' extractors, the fuzzer, the native run of
# the hostile-media corpus), in one list.
media_sources=(
  "$root/core/zip_names.cpp" "$root/core/zip_reader.cpp" "$root/core/zip_failure.cpp"
  "$root/core/file_name_case.cpp" "$root/core/unpack_folders.cpp" "$root/core/text.cpp"
  "$root/core/disk_sets.cpp" "$root/core/install_settings.cpp" "$root/tools/posixmedia/posix_media.cpp"
)
