<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>Untitled page</title>
</head>
<body>

</body>
</html>
