// Placeholder translation unit for a library folder that holds no source yet.
